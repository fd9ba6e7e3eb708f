#pragma once
// Binding of the AccuWeather weather document (root "adc_database"): one
// wrapper per element type, a getter and a setter per child element or
// attribute. See AcuXml.h for the reading rules: missing elements read as
// empty text, integer and boolean reads throw AcuXml::EConvertError on empty
// or malformed values, list items out of range throw std::out_of_range.
//
// Usage:
//   AccuWx::TAcuWeatherDocument doc;
//   if (doc.LoadFromFile(path)) { auto cc = doc.Root().Currentconditions(); ... }
#include "accuweather/AcuXml.h"
#include "platform/Clock.h"

namespace AccuWx {

using AcuXml::EConvertError;

class TAcuUnits : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_TEXT(Temp, "temp")
    ACUXML_TEXT(Dist, "dist")
    ACUXML_TEXT(Speed, "speed")
    ACUXML_TEXT(Pres, "pres")
    ACUXML_TEXT(Prec, "prec")
};

class TAcuLocal : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_TEXT(City, "city")
    ACUXML_TEXT(State, "state")
    ACUXML_TEXT(Lat, "lat")
    ACUXML_TEXT(Lon, "lon")
    ACUXML_TEXT(Time, "time")
};

// The watch and warning area (named like the service's alert collection,
// which lives outside this namespace).
class TAcuAlerts : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_ATTR_TEXT(Zone, "zone")
    ACUXML_ATTR_TEXT(County, "county")
    // False whenever there is no alert page address, whatever the attribute says.
    bool Isactive() const;
    void SetIsactive(bool value) const { SetAttrBool("isactive", value); }
    ACUXML_TEXT(Url, "url")
};

// Pressure value (the element text) with its tendency in the "state" attribute.
class TAcuPressure : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_ATTR_TEXT(State, "state")
};

class TAcuUV : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_ATTR_INT(Index, "index")
};

class TAcuCurrent : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_TEXT(Url, "url")
    // Tabs and line feeds removed (the server pads the value).
    std::string Observationtime() const;
    void SetObservationtime(const std::string &value) const { SetChildText("observationtime", value); }
    ACUXML_CHILD(TAcuPressure, Pressure, "pressure")
    ACUXML_INT(Temperature, "temperature")
    ACUXML_TEXT(Cloudcover, "cloudcover")
    ACUXML_INT(Realfeel, "realfeel")
    ACUXML_TEXT(Humidity, "humidity")
    ACUXML_TEXT(Dewpoint, "dewpoint")
    ACUXML_TEXT(Weathertext, "weathertext")
    ACUXML_INT(Weathericon, "weathericon")
    ACUXML_INT(Windspeed, "windspeed")
    ACUXML_TEXT(Winddirection, "winddirection")
    ACUXML_INT(Visibility, "visibility")
    ACUXML_TEXT(Precip, "precip")
    ACUXML_CHILD(TAcuUV, Uvindex, "uvindex")
};

class TAcuAirAndPollen : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_TEXT(Tree, "tree")
    ACUXML_TEXT(Weed, "weed")
    ACUXML_TEXT(Grass, "grass")
    ACUXML_TEXT(Mold, "mold")
    ACUXML_TEXT(Airquality, "airquality")
    ACUXML_TEXT(Airqualitytype, "airqualitytype")
};

// Rise and set times of one body.
class TAcuPlanet : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_ATTR_TEXT(Rise, "rise")
    ACUXML_ATTR_TEXT(Set, "set")
};
class TAcuSun : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuMoon : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuMercury : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuVenus : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuMars : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuJupiter : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuSaturn : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuUranus : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuNeptune : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };
class TAcuPluto : public TAcuPlanet { public: using TAcuPlanet::TAcuPlanet; };

class TAcuPlanets : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_CHILD(TAcuSun, Sun, "sun")
    ACUXML_CHILD(TAcuMoon, Moon, "moon")
    ACUXML_CHILD(TAcuMercury, Mercury, "mercury")
    ACUXML_CHILD(TAcuVenus, Venus, "venus")
    ACUXML_CHILD(TAcuMars, Mars, "mars")
    ACUXML_CHILD(TAcuJupiter, Jupiter, "jupiter")
    ACUXML_CHILD(TAcuSaturn, Saturn, "saturn")
    ACUXML_CHILD(TAcuUranus, Uranus, "uranus")
    ACUXML_CHILD(TAcuNeptune, Neptune, "neptune")
    ACUXML_CHILD(TAcuPluto, Pluto, "pluto")
};

// One moon phase; Text() is the "text" attribute here, not the element content.
class TAcuPhase : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_ATTR_TEXT(Date, "date")
    ACUXML_ATTR_TEXT(Text, "text")
};
using TAcuPhases = AcuXml::TNodeList<TAcuPhase>;

class TAcuMoonData : public AcuXml::TNode {
public:
    using TNode::TNode;
    TAcuPhases Phase() const { return TAcuPhases(node_, "phase"); }
};

// Fields both halves of a forecast day share.
class TAcuPeriod : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_TEXT(Txtshort, "txtshort")
    ACUXML_TEXT(Txtlong, "txtlong")
    ACUXML_INT(Weathericon, "weathericon")
    ACUXML_INT(Hightemperature, "hightemperature")
    ACUXML_INT(Lowtemperature, "lowtemperature")
    ACUXML_INT(Realfeelhigh, "realfeelhigh")
    ACUXML_INT(Realfeellow, "realfeellow")
    ACUXML_INT(Windspeed, "windspeed")
    ACUXML_INT(Windgust, "windgust")
    ACUXML_TEXT(Rainamount, "rainamount")
    ACUXML_TEXT(Snowamount, "snowamount")
    ACUXML_TEXT(Precipamount, "precipamount")
    ACUXML_INT(Tstormprob, "tstormprob")
};

class TAcuDayTime : public TAcuPeriod {
public:
    using TAcuPeriod::TAcuPeriod;
    ACUXML_INT(Maxuv, "maxuv")
};

class TAcuNightTime : public TAcuPeriod {
public:
    using TAcuPeriod::TAcuPeriod;
    ACUXML_TEXT(Winddirection, "winddirection")
    ACUXML_TEXT(Maxuv, "maxuv")
};

class TAcuDay : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_ATTR_INT(Number, "number")
    ACUXML_TEXT(Url, "url")
    // The date the server writes as month/day/year, read in the order of
    // TFormatSettings::Global(); the zero date when it does not convert.
    TDateTime Obsdate() const;
    void SetObsdate(const std::string &value) const { SetChildText("obsdate", value); }
    ACUXML_TEXT(Daycode, "daycode")
    ACUXML_TEXT(Sunrise, "sunrise")
    ACUXML_TEXT(Sunset, "sunset")
    ACUXML_CHILD(TAcuDayTime, Daytime, "daytime")
    ACUXML_CHILD(TAcuNightTime, Nighttime, "nighttime")
};
using TAcuDays = AcuXml::TNodeList<TAcuDay>;

class TAcuForecast : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_TEXT(Url, "url")
    TAcuDays Day() const { return TAcuDays(node_, "day"); }
};

class TAcuWeather : public AcuXml::TNode {
public:
    using TNode::TNode;
    ACUXML_TEXT(Failure, "failure")
    ACUXML_CHILD(TAcuUnits, Units, "units")
    ACUXML_CHILD(TAcuLocal, Local, "local")
    ACUXML_CHILD(TAcuAlerts, Watchwarnareas, "watchwarnareas")
    ACUXML_CHILD(TAcuCurrent, Currentconditions, "currentconditions")
    ACUXML_CHILD(TAcuAirAndPollen, Airandpollen, "airandpollen")
    ACUXML_CHILD(TAcuPlanets, Planets, "planets")
    ACUXML_CHILD(TAcuMoonData, Moon, "moon")
    ACUXML_CHILD(TAcuForecast, Forecast, "forecast")
    ACUXML_TEXT(Copyright, "copyright")
    ACUXML_TEXT(Use, "use")
    ACUXML_TEXT(Product, "product")
    ACUXML_TEXT(Redistribution, "redistribution")
};

// Owns a parsed weather document; loading fails unless the root is "adc_database".
class TAcuWeatherDocument : public AcuXml::TXmlDocument {
public:
    TAcuWeatherDocument() : TXmlDocument("adc_database") {}
    // The bound root; unassigned (every read empty) while the document is empty.
    TAcuWeather Root() const { return TAcuWeather(DocumentElement()); }
};

// Month/day/year text rearranged to day/month/year when the short date format
// starts with a day; used by TAcuDay::Obsdate.
std::string ArrangeMonthDayYear(const std::string &mdy, const std::string &shortDateFormat);

}  // namespace AccuWx
