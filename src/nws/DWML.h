#pragma once
// Digital Weather Markup Language documents: the NDFD forecast and the
// MapClick worded forecast, read through the same wrappers (root `dwml`).
//
// Every element and attribute is optional: missing ones read as empty text, 0
// or an empty list. Lists are indexed from 0; an index past the end gives a
// wrapper over no node, which reads as missing (Exists() is false) - except an
// `icon-link`, which then reads "na.jpg" like an empty one.
#include <cstdint>
#include <string>
#include <string_view>

#include "nws/XmlBinding.h"
#include "platform/Clock.h"

using xmlb::TXmlList;
using xmlb::TXMLText;
using xmlb::TXMLCount;

// ---- head ----------------------------------------------------------------

class TXMLCreationDate : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }  // XML Schema date-time text
    std::string refresh_frequency() const { return Attr("refresh-frequency"); }
};

class TXMLProduct : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string concise_name() const { return Attr("concise-name"); }
    std::string operational_mode() const { return Attr("operational-mode"); }
    std::string title() const { return ChildText("title"); }
    std::string field() const { return ChildText("field"); }
    std::string category() const { return ChildText("category"); }
    TXMLCreationDate creation_date() const { return Child<TXMLCreationDate>("creation-date"); }
};

class TXMLProductCenter : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }
    std::string sub_center() const { return ChildText("sub-center"); }
};

class TXMLSource : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string more_information() const { return ChildText("more-information"); }
    std::string disclaimer() const { return ChildText("disclaimer"); }
    std::string credit() const { return ChildText("credit"); }
    std::string credit_logo() const { return ChildText("credit-logo"); }
    std::string feedback() const { return ChildText("feedback"); }
    TXMLProductCenter production_center() const { return Child<TXMLProductCenter>("production-center"); }
};

class TXMLHeader : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    TXMLProduct product() const { return Child<TXMLProduct>("product"); }
    TXMLSource source() const { return Child<TXMLSource>("source"); }
};

// ---- location ------------------------------------------------------------

class TXMLPointType : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string latitude() const { return Attr("latitude"); }
    std::string longitude() const { return Attr("longitude"); }
    std::string summarization() const { return Attr("summarization"); }
};

class TXMLCity : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }
    std::string state() const { return Attr("state"); }
    std::string summarization() const { return Attr("summarization"); }
};

class TXML_NWSZone : public TXMLCity {
public:
    using TXMLCity::TXMLCity;
};

class TXMLRadius : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }
    std::string radius_units() const { return Attr("radius-units"); }
};

class TXMLCircle : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string summarization() const { return Attr("summarization"); }
    TXMLPointType point() const { return Child<TXMLPointType>("point"); }
    TXMLRadius radius() const { return Child<TXMLRadius>("radius"); }
};

class TXMLRectangle : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string summarization() const { return Attr("summarization"); }
    TXmlList<TXMLPointType> point() const { return {node_, "point"}; }
};

class TXMLArea : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string area_type() const { return Attr("area-type"); }
    TXMLCircle circle() const { return Child<TXMLCircle>("circle"); }
    TXMLRectangle rectangle() const { return Child<TXMLRectangle>("rectangle"); }
};

class TXMLHeight : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }
    std::string datum() const { return Attr("datum"); }
    std::string height_units() const { return Attr("height-units"); }
};

class TXMLLevel : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }
    std::string vertical_coordinate() const { return Attr("vertical-coordinate"); }
};

class TXMLLayer : public TXMLLevel {
public:
    using TXMLLevel::TXMLLevel;
};

class TXMLLocation : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    TXmlList<TXMLText> location_key() const { return {node_, "location-key"}; }
    TXMLPointType point() const { return Child<TXMLPointType>("point"); }
    TXMLCity city() const { return Child<TXMLCity>("city"); }
    TXML_NWSZone nws_zone() const { return Child<TXML_NWSZone>("nws-zone"); }
    TXMLArea area() const { return Child<TXMLArea>("area"); }
    TXMLHeight height() const { return Child<TXMLHeight>("height"); }
    TXMLLevel level() const { return Child<TXMLLevel>("level"); }
    TXMLLayer layer() const { return Child<TXMLLayer>("layer"); }
};

// ---- time layouts --------------------------------------------------------

// A date-time element (`end-valid-time`; base of `start-valid-time`).
class TXMLValidTime : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }
    // The hour as written in the text (its own zone), -1 when unreadable.
    int WrittenHour() const;
    // The date and time as written, ignoring the zone; 0 when unreadable.
    TDateTime WrittenDateTime() const;
    // The moment in this computer's local time; 0 when unreadable.
    TDateTime LocalDateTime() const;
};

class TXMLStartValidTime : public TXMLValidTime {
public:
    using TXMLValidTime::TXMLValidTime;
    std::string period_name() const { return Attr("period-name"); }
};

class TXMLTimeLayout : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string time_coordinate() const { return Attr("time-coordinate"); }
    std::string summarization() const { return Attr("summarization"); }
    std::string layout_key() const { return ChildText("layout-key"); }
    TXmlList<TXMLStartValidTime> start_valid_time() const { return {node_, "start-valid-time"}; }
    TXmlList<TXMLValidTime> end_valid_time() const { return {node_, "end-valid-time"}; }
};

// ---- values --------------------------------------------------------------

// Temperature `value`: integer text, empty reads 0 (decimals are rounded).
class TXMLInteger : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::int32_t Value() const { return xmlb::ToInt(NodeText()); }
    std::int32_t upper_range() const { return xmlb::ToInt(Attr("upper-range")); }
    std::int32_t lower_range() const { return xmlb::ToInt(Attr("lower-range")); }
    bool IsNil() const;  // xsi:nil="true"
};

// Precipitation `value`: decimal text, kept as written.
class TXMLDecimal : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const { return NodeText(); }
    std::string upper_range() const { return Attr("upper-range"); }
    std::string lower_range() const { return Attr("lower-range"); }
    bool IsNil() const;
};

// Probability, wind, direction, cloud and humidity `value`: unsigned count,
// empty (xsi:nil) reads 0; NodeText() gives the text as written.
class TXMLLongWord : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::uint32_t Value() const { return xmlb::ToCount(NodeText()); }
    std::uint32_t upper_range() const { return xmlb::ToCount(Attr("upper-range")); }
    std::uint32_t lower_range() const { return xmlb::ToCount(Attr("lower-range")); }
    bool IsNil() const;
};

// The shape shared by `temperature` and its kin.
template <class ValueT>
class TXMLValueSet : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string type() const { return Attr("type"); }
    std::string units() const { return Attr("units"); }
    std::string time_layout() const { return Attr("time-layout"); }
    std::string categorical_table() const { return Attr("categorical-table"); }
    std::string conversion_table() const { return Attr("conversion-table"); }
    std::string name() const { return ChildText("name"); }
    TXmlList<ValueT> value() const { return {node_, "value"}; }
};

class TXMLTemperature : public TXMLValueSet<TXMLInteger> { public: using TXMLValueSet::TXMLValueSet; };
class TXMLPrecipitation : public TXMLValueSet<TXMLDecimal> { public: using TXMLValueSet::TXMLValueSet; };
class TXMLpoPrecipitation : public TXMLValueSet<TXMLLongWord> { public: using TXMLValueSet::TXMLValueSet; };
class TXMLWindSpeed : public TXMLValueSet<TXMLLongWord> { public: using TXMLValueSet::TXMLValueSet; };
class TXMLDirection : public TXMLValueSet<TXMLLongWord> { public: using TXMLValueSet::TXMLValueSet; };
class TXMLCloud : public TXMLValueSet<TXMLLongWord> { public: using TXMLValueSet::TXMLValueSet; };
class TXMLHumidity : public TXMLValueSet<TXMLLongWord> { public: using TXMLValueSet::TXMLValueSet; };

// ---- weather, icons, words -----------------------------------------------

// One `value` of `weather-conditions` (all attributes).
class TXMLWeatherValue : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string coverage() const { return Attr("coverage"); }
    std::string intensity() const { return Attr("intensity"); }
    std::string additive() const { return Attr("additive"); }
    std::string weather_type() const { return Attr("weather-type"); }
    std::string qualifier() const { return Attr("qualifier"); }
};

class TXMLConditions : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string categorical_table() const { return Attr("categorical-table"); }
    std::string conversion_table() const { return Attr("conversion-table"); }
    std::string weather_summary() const { return Attr("weather-summary"); }
    TXmlList<TXMLWeatherValue> value() const { return {node_, "value"}; }
};

class TXMLWeather : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string time_layout() const { return Attr("time-layout"); }
    TXmlList<TXMLText> name() const { return {node_, "name"}; }
    TXmlList<TXMLConditions> weather_conditions() const { return {node_, "weather-conditions"}; }
};

// An `icon-link`: empty text reads "na.jpg", and that text is written into the
// node so later readers see it too. Over no node it reads "na.jpg" as well.
class TXMLIconLink : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string Value() const;
};

class TXMLConditionsicon : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string type() const { return Attr("type"); }
    std::string time_layout() const { return Attr("time-layout"); }
    std::string name() const { return ChildText("name"); }
    TXmlList<TXMLIconLink> icon_link() const { return {node_, "icon-link"}; }
};

class TXMLWordedForecast : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string time_layout() const { return Attr("time-layout"); }
    std::string dataSource() const { return Attr("dataSource"); }
    std::string wordGenerator() const { return Attr("wordGenerator"); }
    std::string name() const { return ChildText("name"); }
    TXmlList<TXMLText> text() const { return {node_, "text"}; }
};

// ---- water state ---------------------------------------------------------

class TXMLWaveBase : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string type() const { return Attr("type"); }
    std::string units() const { return Attr("units"); }
    std::string categorical_table() const { return Attr("categorical-table"); }
    std::string conversion_table() const { return Attr("conversion-table"); }
    std::string name() const { return ChildText("name"); }
};

class TXMLWave : public TXMLWaveBase {
public:
    using TXMLWaveBase::TXMLWaveBase;
    std::uint32_t period() const { return xmlb::ToCount(Attr("period")); }
    std::uint32_t steepness() const { return xmlb::ToCount(Attr("steepness")); }
    TXmlList<TXMLCount> value() const { return {node_, "value"}; }
};

class TXMLSwell : public TXMLWaveBase {
public:
    using TXMLWaveBase::TXMLWaveBase;
    std::uint32_t period() const { return xmlb::ToCount(Attr("period")); }
    std::uint32_t steepness() const { return xmlb::ToCount(Attr("steepness")); }
    std::string value() const { return ChildText("value"); }
    TXmlList<TXMLCount> direction() const { return {node_, "direction"}; }
};

class TXMLSeas : public TXMLWaveBase {
public:
    using TXMLWaveBase::TXMLWaveBase;
    TXmlList<TXMLCount> value() const { return {node_, "value"}; }
};

class TXMLWaterState : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string time_layout() const { return Attr("time-layout"); }
    TXmlList<TXMLWave> waves() const { return {node_, "waves"}; }
    TXmlList<TXMLSwell> swell() const { return {node_, "swell"}; }
    TXmlList<TXMLSeas> seas() const { return {node_, "seas"}; }
    TXmlList<TXMLCount> ice_coverage() const { return {node_, "ice-coverage"}; }
};

// ---- parameters, data, root ----------------------------------------------

class TXMLParameters : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string applicable_location() const { return Attr("applicable-location"); }
    TXmlList<TXMLTemperature> temperature() const { return {node_, "temperature"}; }
    TXmlList<TXMLPrecipitation> precipitation() const { return {node_, "precipitation"}; }
    TXmlList<TXMLpoPrecipitation> probability_of_precipitation() const {
        return {node_, "probability-of-precipitation"};
    }
    TXmlList<TXMLWindSpeed> wind_speed() const { return {node_, "wind-speed"}; }
    TXmlList<TXMLDirection> direction() const { return {node_, "direction"}; }
    TXmlList<TXMLCloud> cloud_amount() const { return {node_, "cloud-amount"}; }
    TXmlList<TXMLHumidity> humidity() const { return {node_, "humidity"}; }
    TXmlList<TXMLWeather> weather() const { return {node_, "weather"}; }
    TXmlList<TXMLConditionsicon> conditions_icon() const { return {node_, "conditions-icon"}; }
    TXMLWordedForecast wordedForecast() const { return Child<TXMLWordedForecast>("wordedForecast"); }
    TXmlList<TXMLWaterState> water_state() const { return {node_, "water-state"}; }

    // The first `temperature` whose type attribute is `type` ("maximum",
    // "minimum", ...); a wrapper over no node when there is none.
    TXMLTemperature temperature_by_type(std::string_view type) const;
};

class TXMLData : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    TXmlList<TXMLLocation> location() const { return {node_, "location"}; }
    TXmlList<TXMLTimeLayout> time_layout() const { return {node_, "time-layout"}; }
    TXmlList<TXMLParameters> parameters() const { return {node_, "parameters"}; }

    // The `time-layout` whose `layout-key` is `key` (as the parameters' time-layout
    // attributes name it); a wrapper over no node when there is none.
    TXMLTimeLayout time_layout_by_key(std::string_view key) const;
};

class TXMLDwml : public xmlb::TXmlRoot {
public:
    TXMLDwml() = default;
    // Not Active() when the bytes do not parse or the root is not `dwml`.
    static TXMLDwml LoadFromBuffer(std::string_view bytes);
    static TXMLDwml LoadFromFile(const std::string &path);

    std::string version() const { return Attr("version"); }
    TXMLHeader head() const { return Child<TXMLHeader>("head"); }
    // The first `data` (MapClick documents carry a second one with current observations).
    TXMLData data() const { return Child<TXMLData>("data"); }
};
