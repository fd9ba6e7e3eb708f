#include "nws/CAPIndex.h"

#include <fstream>
#include <iterator>

void RemoveCapPrefixes(std::string &text) {
    std::size_t out = 0, in = 0;
    while (in < text.size()) {
        if (text.compare(in, 4, "cap:") == 0) {
            in += 4;
            continue;
        }
        text[out++] = text[in++];
    }
    text.resize(out);
}

TCAPIndex TCAPIndex::LoadFromBuffer(std::string_view bytes) {
    std::string text(bytes);
    RemoveCapPrefixes(text);
    TCAPIndex r;
    std::string error;
    xmlb::DocPtr doc = xmlb::Parse(text, &error);
    r.Bind(std::move(doc), std::move(error), "feed");
    return r;
}

TCAPIndex TCAPIndex::LoadFromFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        TCAPIndex r;
        r.Bind(nullptr, "cannot open " + path, "feed");
        return r;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return LoadFromBuffer(bytes);
}
