#pragma once
// Readers for the documents of the NWS web API (api.weather.gov) and the
// Naval Observatory's one-day table. Each reader takes the reply text and
// fills a plain struct; a document that is not JSON, or not the kind asked
// for, gives false and leaves the struct as it was. Measured values keep the
// API's own units (SI, as the unit codes say) and are empty when the API sends
// null or leaves them out, so nothing absent ever reads as 0.
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace NWSApi {

using TValue = std::optional<double>;

// ---- units ----
double CelsiusToFahrenheit(double c);
double FahrenheitToCelsius(double f);
double KmhToMph(double kmh);
double PaToInHg(double pa);
double MetresToMiles(double m);
// A quantity object {"unitCode": "wmoUnit:...", "value": ...} converted into
// degrees Celsius, km/h, Pa, metres, percent, degrees or millimetres; codes it
// cannot convert give an empty value.
TValue QuantityCelsius(const std::string &unitCode, double value);
TValue QuantityKmh(const std::string &unitCode, double value);
TValue QuantityPa(const std::string &unitCode, double value);
TValue QuantityMetres(const std::string &unitCode, double value);
TValue QuantityMillimetres(const std::string &unitCode, double value);

// A server date-time ("2026-01-20T17:51:00+00:00") as UTC; false when it is none.
bool ApiTimeToUTC(const std::string &text, TDateTime &utc);

// ---- documents ----

// A problem document (application/problem+json): why a request failed.
struct TProblem {
    int Status = 0;
    std::string Type, Title, Detail;
    // The last part of Type ("InvalidPoint"); empty without a type.
    std::string Kind() const;
};
bool ReadProblem(const std::string &text, TProblem &out);

// /points/{lat},{lon}
struct TPoint {
    std::string Office;        // gridId, "OKX"
    int GridX = 0, GridY = 0;
    std::string ForecastUrl, ForecastHourlyUrl, StationsUrl;
    std::string ForecastZone;  // "NYZ072"
    std::string CountyZone;    // "NYC061"
    std::string TimeZone;      // "America/New_York"
    std::string RadarStation;  // "KDIX"
    std::string City, State;   // the nearest place the API names
    TValue Latitude, Longitude;
};
bool ReadPoint(const std::string &text, TPoint &out);

// /stations/{id}/observations/latest
struct TObservation {
    std::string StationId, StationName;
    std::string Timestamp;  // as sent
    TDateTime TimeUTC = 0;  // 0 when the timestamp is unreadable
    std::string Text;       // textDescription
    std::string Icon;       // icon URL, empty when null
    TValue TemperatureC, DewPointC, WindDirection, WindKmh, GustKmh, PressurePa, SeaLevelPa, VisibilityM,
        Humidity, WindChillC, HeatIndexC, PrecipLastHourMm;
};
bool ReadObservation(const std::string &text, TObservation &out);

// One period of /gridpoints/{office}/{x},{y}/forecast.
struct TPeriod {
    int Number = 0;
    std::string Name;
    std::string StartTime, EndTime;  // as sent
    bool IsDaytime = true;
    TValue TemperatureF;             // whatever unit was sent, in Fahrenheit
    TValue Precipitation;            // percent
    std::string Icon, ShortForecast, DetailedForecast, WindSpeed, WindDirection;
};
struct TForecastDoc {
    std::string GeneratedAt, UpdateTime;
    std::vector<TPeriod> Periods;
};
bool ReadForecast(const std::string &text, TForecastDoc &out);

// One feature of /alerts/active.
struct TAlert {
    std::string Id, Web;  // identifier and the address of the alert itself
    std::string Event, Headline, Description, Instruction, AreaDesc, SenderName;
    std::string Severity, Urgency, Certainty, Category, Status, MessageType;
    std::string Sent, Effective, Onset, Expires, Ends;  // as sent
    std::vector<std::string> UGC, SAME;
};
struct TAlertsDoc {
    std::string Title, Updated;
    std::vector<TAlert> Alerts;
};
bool ReadAlerts(const std::string &text, TAlertsDoc &out);

// A station feature, from a stations list or /stations/{id}.
struct TStation {
    std::string Id, Name, TimeZone, ForecastZone, CountyZone;
    TValue Latitude, Longitude, DistanceM;
};
// A FeatureCollection of stations, or a single station feature.
bool ReadStations(const std::string &text, std::vector<TStation> &out);

// The Naval Observatory's /api/rstt/oneday reply.
struct TUsnoDay {
    std::string Sunrise, Sunset;  // "HH:MM" in the zone asked for; empty when the sun does not rise/set
    std::string CurPhase;         // "Waxing Crescent"
    double Tz = 0;
};
bool ReadUsnoOneDay(const std::string &text, TUsnoDay &out);

}  // namespace NWSApi
