// Texts the NWS service repairs before reading: the observation time and the
// summary attribute lines of a worded forecast.
#include "FuzzSupport.h"
#include "nws/NWSService.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    std::string_view in = fuzz::View(data, size);
    fuzz::Use(TNWxService::StripLastUpdated(std::string(in)));
    fuzz::Use(TNWxService::RegionOfState(std::string(in.substr(0, 4))));
    std::vector<std::string> lines = fuzz::Lines(in);
    TNWxService::RepairSummaryLines(lines);
    return 0;
}
