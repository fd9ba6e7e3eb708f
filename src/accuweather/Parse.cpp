#include "accuweather/Parse.h"

#include <cctype>

TAbstractParse::TAbstractParse() = default;

TAbstractParse::TAbstractParse(const std::string &keyword) : TAbstractParse() {
    Keyword = keyword;
    for (char &c : Keyword) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

void TAbstractParse::ProcessLine() {
    if (!Source || !OnLine) return;
    if (LineIndex < 0 || static_cast<size_t>(LineIndex) >= Source->size()) return;
    bool accept = false;
    std::string line = (*Source)[LineIndex];
    OnLine(LineIndex, line, accept);
    if (accept) {
        Results.push_back(line);
        Found = true;
    }
}

void TAbstractParse::Run(const TParseLines *lines) {
    if (lines) Source = lines;
    Parse();
}

void TCustomParse::Parse() {
    if (!Source || Source->empty()) return;
    Results.clear();
    const int last = static_cast<int>(Source->size()) - 1;
    for (int i = 0; i < last; ++i) {
        LineIndex = i;
        ProcessLine();
        if (Stop) break;
    }
}
