// The NWS current observation document and every value read from it.
#include "FuzzSupport.h"
#include "nws/current_observation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    TNWSCurrent obs = TNWSCurrent::LoadFromBuffer(fuzz::View(data, size));
    fuzz::Use(obs.version());
    fuzz::Use(obs.credit());
    fuzz::Use(obs.image().url());
    fuzz::Use(obs.suggested_pickup_period());
    fuzz::Use(obs.location());
    fuzz::Use(obs.station_id());
    fuzz::Use(obs.latitude());
    fuzz::Use(obs.elevation());
    fuzz::Use(obs.observation_time());
    fuzz::Use(obs.observation_time_rfc822());
    fuzz::Use(obs.weather());
    fuzz::Use(obs.temp_f());
    fuzz::Use(obs.temp_c());
    fuzz::Use(obs.relative_humidity());
    fuzz::Use(obs.wind_string());
    fuzz::Use(obs.wind_degrees());
    fuzz::Use(obs.wind_mph());
    fuzz::Use(obs.wind_gust_mph());
    fuzz::Use(obs.pressure_mb());
    fuzz::Use(obs.pressure_in());
    fuzz::Use(obs.dewpoint_f());
    fuzz::Use(obs.heat_index_f());
    fuzz::Use(obs.windchill_f());
    fuzz::Use(obs.visibility_mi());
    fuzz::Use(obs.icon_url_base());
    fuzz::Use(obs.icon_url_name());
    fuzz::Use(obs.two_day_history_url());
    return 0;
}
