// US ZIP record texts and the shipped ZIP table format, with lookups on it.
#include "FuzzSupport.h"
#include "setup/USPSData.h"
#include "targets/TempFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    fuzz::Init();
    std::string_view in = fuzz::View(data, size);
    std::vector<std::string> lines = fuzz::Lines(in);

    TUSCityZip zip;
    for (const std::string &line : lines) zip.AddRecord(line);
    for (zip.First(); zip.Current(); ) {
        fuzz::Use(zip.Current()->City);
        if (!zip.Next()) break;
    }

    TCityZipIndex index;
    if (index.Load(fuzz::WriteTemp("USCtyZip.csv", in))) {
        int reported = 0;
        auto report = [&](const std::string &record) { fuzz::Use(record); ++reported; };
        // Queries taken from the table itself reach the city and state paths.
        std::vector<std::string> queries = {"", "0", "9", "de", "St Louis", "Denver, CO", "CO"};
        for (size_t i = 0; i < lines.size() && i < 4; ++i) queries.push_back(lines[i].substr(0, lines[i].find(',')));
        for (const std::string &q : queries)
            for (int mode : {TCityZipIndex::kZip, TCityZipIndex::kCity, TCityZipIndex::kAll})
                index.LookUp(q, mode, report);
    }
    return 0;
}
