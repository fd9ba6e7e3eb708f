#pragma once
// A generic line-driven parser: Run hands each line of a text list to the
// OnLine handler, which may change the line and accept it; accepted lines are
// collected in Results.
#include <functional>
#include <string>
#include <vector>

using TParseLines = std::vector<std::string>;

class TAbstractParse {
public:
    // index, the line (may be changed), accept (false on entry)
    using TLineEvent = std::function<void(int index, std::string &line, bool &accept)>;

    TAbstractParse();
    explicit TAbstractParse(const std::string &keyword);  // stored upper-cased
    virtual ~TAbstractParse() = default;
    TAbstractParse(const TAbstractParse &) = delete;
    TAbstractParse &operator=(const TAbstractParse &) = delete;

    // Offers Source[LineIndex] to OnLine; an accepted line goes to Results and sets Found.
    virtual void ProcessLine();
    virtual void Parse() {}

    const TParseLines *GetSource() const { return Source; }
    const TParseLines &GetResults() const { return Results; }
    // The lines are not copied and must outlive the run.
    void Run(const TParseLines *lines);

    int LineIndex = 0;
    std::string Keyword;
    bool Found = false;
    const TParseLines *Source = nullptr;  // not owned
    TParseLines Results;
    TLineEvent OnLine;
};

class TCustomParse : public TAbstractParse {
public:
    TCustomParse() = default;
    // Every line but the last, in order, until Stop is set. (The last line
    // of a page is its closing markup, never content.)
    void Parse() override;
    void SetStop(bool value) { Stop = value; }

    bool Stop = false;
};
