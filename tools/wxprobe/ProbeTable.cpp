// Every wxprobe sub-command; the probes live one group to a file (probe_*.cpp).
#include "Probe.h"
#include "probe_sunmoon.h"

const std::vector<TProbeCommand> &ProbeCommands() {
    static const std::vector<TProbeCommand> table = {
        {"current", "--nws", "current --nws FILE [--scale 0|1] [--speed 0|1]", RunNwsCurrentCommand},
        {"forecast", "--ndfd",
         "forecast --ndfd FILE [--text FILE] --periods 12|24 [--scale 0|1] [--numdays N] [--now YYYY-MM-DDThh:mm:ss]",
         RunNwsForecastCommand},
        {"alerts", "--index",
         "alerts --index FILE [--alert FILE ...] [--county NAME] [--state XX] [--now YYYY-MM-DDThh:mm:ss]",
         RunNwsAlertsCommand},
        {"nwsapi", "current", "nwsapi current OBSERVATION [--scale 0|1] [--speed 0|1]", RunNwsApiCurrentCommand},
        {"nwsapi", "forecast", "nwsapi forecast FORECAST [--periods 12|24] [--scale 0|1]", RunNwsApiForecastCommand},
        {"nwsapi", "alerts", "nwsapi alerts [POINT] ALERTS", RunNwsApiAlertsCommand},
        {"nwsapi", "points", "nwsapi points POINT", RunNwsApiPointsCommand},
        {"sunmoon", "", "sunmoon FILE", RunSunMoonCommand},
        {"frames", "--image", "frames --image KEY [--animate] [--radar BASE]", RunFramesCommand},
        {"search", "--lat", "search --lat LAT --lon LON", RunSearchCommand},
        {"zip", "", "zip TEXT", RunZipCommand},
        {"acu", "",
         "acu current|forecast FILE [--location TEXT] [--scale 0|1] [--speed 0|1] [--now YYYY-MM-DDThh:mm:ss]\n"
         "  wxprobe acu alerts FILE PAGE [--active] [--location TEXT] [--now ...]\n"
         "  wxprobe acu search FILE --text TEXT",
         RunAcuCommand},
    };
    return table;
}
