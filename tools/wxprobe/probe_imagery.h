#pragma once
// wxprobe commands of the imagery: "frames --image KEY [--animate]" and
// "search --lat LAT --lon LON" (the latter is joined with the NWS service's search).
#include <string>

class TData;

// The frame addresses and cache paths the NWS imagery uses for the image set
// KEY, as JSON: {"key", "name", "region", "frames": [{"url", "cache"}]}.
// Missing loop listings are fetched from the radar server in use.
std::string ProbeFramesJson(TData &data, int key, bool animate);
