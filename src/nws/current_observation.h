#pragma once
// The NWS current observation document (root `current_observation`).
//
// Integer elements follow xmlb::ToInt: empty and "NA" read 0, "72.0" reads 72.
// `wind_mph` and `wind_gust_mph` are text, but empty or "NA" reads "0".
#include <string>
#include <string_view>

#include "nws/XmlBinding.h"

class TNWSImage : public xmlb::TXmlNode {
public:
    using TXmlNode::TXmlNode;
    std::string url() const { return ChildText("url"); }
    std::string title() const { return ChildText("title"); }
    std::string link() const { return ChildText("link"); }
};

class TNWSCurrent : public xmlb::TXmlRoot {
public:
    TNWSCurrent() = default;
    // Not Active() when the bytes do not parse or the root is not `current_observation`.
    static TNWSCurrent LoadFromBuffer(std::string_view bytes);
    static TNWSCurrent LoadFromFile(const std::string &path);

    std::string version() const { return Attr("version"); }
    std::string credit() const { return ChildText("credit"); }
    std::string credit_URL() const { return ChildText("credit_URL"); }
    TNWSImage image() const { return Child<TNWSImage>("image"); }
    std::string suggested_pickup() const { return ChildText("suggested_pickup"); }
    int suggested_pickup_period() const { return integer("suggested_pickup_period"); }
    std::string location() const { return ChildText("location"); }
    std::string station_id() const { return ChildText("station_id"); }
    std::string latitude() const { return ChildText("latitude"); }
    std::string longitude() const { return ChildText("longitude"); }
    int elevation() const { return integer("elevation"); }
    std::string observation_time() const { return ChildText("observation_time"); }
    std::string observation_time_rfc822() const { return ChildText("observation_time_rfc822"); }
    std::string weather() const { return ChildText("weather"); }
    std::string temperature_string() const { return ChildText("temperature_string"); }
    int temp_f() const { return integer("temp_f"); }
    int temp_c() const { return integer("temp_c"); }
    int relative_humidity() const { return integer("relative_humidity"); }
    std::string wind_string() const { return ChildText("wind_string"); }
    std::string wind_dir() const { return ChildText("wind_dir"); }
    int wind_degrees() const { return integer("wind_degrees"); }
    std::string wind_mph() const { return xmlb::TextOrZero(ChildText("wind_mph")); }
    std::string wind_gust_mph() const { return xmlb::TextOrZero(ChildText("wind_gust_mph")); }
    std::string pressure_string() const { return ChildText("pressure_string"); }
    std::string pressure_mb() const { return ChildText("pressure_mb"); }
    std::string pressure_in() const { return ChildText("pressure_in"); }
    std::string dewpoint_string() const { return ChildText("dewpoint_string"); }
    int dewpoint_f() const { return integer("dewpoint_f"); }
    int dewpoint_c() const { return integer("dewpoint_c"); }
    std::string heat_index_string() const { return ChildText("heat_index_string"); }
    int heat_index_f() const { return integer("heat_index_f"); }
    int heat_index_c() const { return integer("heat_index_c"); }
    std::string windchill_string() const { return ChildText("windchill_string"); }
    int windchill_f() const { return integer("windchill_f"); }
    int windchill_c() const { return integer("windchill_c"); }
    std::string visibility_mi() const { return ChildText("visibility_mi"); }
    std::string icon_url_base() const { return ChildText("icon_url_base"); }
    std::string icon_name() const { return ChildText("icon_name"); }
    std::string icon_url_name() const { return ChildText("icon_url_name"); }
    std::string two_day_history_url() const { return ChildText("two_day_history_url"); }
    std::string ob_url() const { return ChildText("ob_url"); }
    std::string disclaimer_url() const { return ChildText("disclaimer_url"); }
    std::string copyright_url() const { return ChildText("copyright_url"); }
    std::string privacy_policy_url() const { return ChildText("privacy_policy_url"); }

private:
    int integer(const char *name) const { return xmlb::ToInt(ChildText(name)); }
};
