#include "service/DataMod.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/Paths.h"
#include "service/Servers.h"

TData *Data = nullptr;

namespace {

bool SameText(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string Quote(const std::string &ident)
{
    std::string s = "\"";
    for (char c : ident) {
        if (c == '"')
            s += '"';
        s += c;
    }
    return s + '"';
}

std::string Trim(const std::string &s)
{
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// SQL literal for a double; SQLite reads 9e999 as infinity.
std::string SqlNumber(double d)
{
    if (std::isnan(d))
        return "NULL";
    if (std::isinf(d))
        return d > 0 ? "9e999" : "-9e999";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    return buf;
}

struct TStmt {
    sqlite3_stmt *s = nullptr;
    TStmt(sqlite3 *db, const std::string &sql)
    {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
            std::string msg = sqlite3_errmsg(db);
            sqlite3_finalize(s);
            s = nullptr;
            throw TDataError(msg);
        }
    }
    ~TStmt() { sqlite3_finalize(s); }
    TStmt(const TStmt &) = delete;
    TStmt &operator=(const TStmt &) = delete;
};

void Bind(sqlite3_stmt *s, int i, const TValue &v)
{
    if (auto p = std::get_if<int64_t>(&v))
        sqlite3_bind_int64(s, i, *p);
    else if (auto d = std::get_if<double>(&v))
        sqlite3_bind_double(s, i, *d);
    else if (auto t = std::get_if<std::string>(&v))
        sqlite3_bind_text(s, i, t->data(), static_cast<int>(t->size()), SQLITE_TRANSIENT);
    else
        sqlite3_bind_null(s, i);
}

TValue ReadColumn(sqlite3_stmt *s, int col, TFieldType type)
{
    if (sqlite3_column_type(s, col) == SQLITE_NULL)
        return {};
    switch (type) {
    case TFieldType::AutoInc:
    case TFieldType::Integer:
        if (sqlite3_column_type(s, col) == SQLITE_INTEGER)
            return static_cast<int64_t>(sqlite3_column_int64(s, col));
        break;
    case TFieldType::Float:
        if (sqlite3_column_type(s, col) != SQLITE_TEXT)
            return sqlite3_column_double(s, col);
        break;
    case TFieldType::Text:
        break;
    }
    // Stored in another form (loaded from an odd file): hand back the text.
    const unsigned char *t = sqlite3_column_text(s, col);
    return std::string(reinterpret_cast<const char *>(t), static_cast<size_t>(sqlite3_column_bytes(s, col)));
}

bool ParseInt(const std::string &text, int64_t &out)
{
    std::string t = Trim(text);
    if (t.empty())
        return false;
    errno = 0;
    char *end = nullptr;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return false;
    out = v;
    return true;
}

bool ParseFloat(const std::string &text, double &out)
{
    std::string t = Trim(text);
    if (t.empty())
        return false;
    // Table files and settings always use '.'; strtod would follow the locale.
    std::istringstream in(t);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (in.fail() || !in.eof())
        return false;
    out = v;
    return true;
}

// A filter is placed inside "( ... )" of a larger query: refuse texts that
// would close that bracket early or add a statement.
bool FilterIsContained(const std::string &f)
{
    int depth = 0;
    char quote = 0;
    for (char c : f) {
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '\'' || c == '"' || c == '`')
            quote = c;
        else if (c == '[')
            quote = ']';
        else if (c == '(')
            ++depth;
        else if (c == ')') {
            if (--depth < 0)
                return false;
        } else if (c == ';')
            return false;
    }
    // Comments could swallow the closing bracket.
    return depth == 0 && quote == 0 && f.find("--") == std::string::npos && f.find("/*") == std::string::npos;
}

std::string Escape(const std::string &s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

// One cell of a table file; nullopt-like flag for "\N".
std::string Unescape(const std::string &s, bool &isNull)
{
    isNull = s == "\\N";
    if (isNull || s.find('\\') == std::string::npos)
        return isNull ? std::string() : s;
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char n = s[++i];
        switch (n) {
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        default: out += '\\'; out += n;
        }
    }
    return out;
}

void SplitTabs(const std::string &line, std::vector<std::string> &cells)
{
    cells.clear();
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        if (tab == std::string::npos) {
            cells.push_back(line.substr(start));
            return;
        }
        cells.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

constexpr double kEarthMiles = 3959.0;
constexpr double kEarthKm = 6371.0;
constexpr double kPi = 3.14159265358979323846;

double Rad(double deg) { return deg * kPi / 180.0; }
double Deg(double rad) { return rad * 180.0 / kPi; }

// The x87 cosine gives up on arguments beyond 2^63; the box then treats the
// cosine as 0, and so do we.
double BoxCos(double rad)
{
    if (!std::isfinite(rad) || std::fabs(rad) >= 9.2233720368547758e18)
        return 0.0;
    return std::cos(rad);
}

}  // namespace

std::string FloatToText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string s = buf;
    if (s == "-0")
        s = "0";
    return s;
}

// ---------------------------------------------------------------- TDataSet

TDataSet::TDataSet(sqlite3 *db, std::string name, std::vector<TFieldDef> fields, bool textCaseInsensitive)
    : db_(db), name_(std::move(name)), fields_(std::move(fields)), textNoCase_(textCaseInsensitive)
{
    if (fields_.size() > 64)
        throw TDataError(name_ + ": too many fields");
    std::string sql = "CREATE TABLE " + Quote(name_) + " (";
    for (size_t i = 0; i < fields_.size(); ++i) {
        const TFieldDef &f = fields_[i];
        if (i)
            sql += ", ";
        sql += Quote(f.Name);
        switch (f.Type) {
        case TFieldType::AutoInc: sql += " INTEGER PRIMARY KEY"; break;
        case TFieldType::Integer: sql += " INTEGER"; break;
        case TFieldType::Float: sql += " REAL"; break;
        case TFieldType::Text: sql += textCaseInsensitive ? " TEXT COLLATE NOCASE" : " TEXT"; break;
        }
    }
    sql += ")";
    Exec(sql);
}

TDataSet::~TDataSet()
{
    for (auto &u : updates_)
        sqlite3_finalize(u.second);
}

void TDataSet::Exec(const std::string &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::string msg = err ? err : "SQLite error";
        sqlite3_free(err);
        throw TDataError(msg);
    }
}

int TDataSet::FieldIndex(const std::string &name) const
{
    for (size_t i = 0; i < fields_.size(); ++i)
        if (SameText(fields_[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

int TDataSet::RequireField(const std::string &field) const
{
    int i = FieldIndex(field);
    if (i < 0)
        throw TDataError(name_ + ": field '" + field + "' not found");
    return i;
}

void TDataSet::SetActive(bool active)
{
    if (active_ != active) {
        active_ = active;
        dirty_ = true;
        editState_ = TState::Browse;
    }
}

TDataSet::TState TDataSet::State() const
{
    return active_ ? editState_ : TState::Inactive;
}

void TDataSet::SetIndexFieldNames(const std::string &names)
{
    std::string rest = names;
    size_t p;
    while (!rest.empty()) {
        p = rest.find(';');
        std::string one = Trim(rest.substr(0, p));
        if (!one.empty())
            RequireField(one);
        rest = p == std::string::npos ? std::string() : rest.substr(p + 1);
    }
    index_ = names;
    dirty_ = true;
}

void TDataSet::SetFilter(const std::string &where)
{
    if (filter_ != where) {
        filter_ = where;
        if (filtered_)
            dirty_ = true, cur_ = -1;
    }
}

void TDataSet::SetFiltered(bool on)
{
    if (filtered_ != on) {
        filtered_ = on;
        dirty_ = true;
        cur_ = -1;
    }
}

void TDataSet::SetOnFilterRecord(TFilterRecordEvent event, std::function<std::string()> sqlHint)
{
    onFilter_ = std::move(event);
    filterHint_ = std::move(sqlHint);
    dirty_ = true;
}

void TDataSet::SetMaster(TDataSet *master, const std::string &masterField, const std::string &detailField)
{
    if (master) {
        master->RequireField(masterField);
        RequireField(detailField);
    }
    master_ = master;
    masterField_ = masterField;
    detailField_ = detailField;
    dirty_ = true;
}

TValue TDataSet::MasterValue()
{
    if (!master_ || !master_->HasRecord())
        return {};
    return master_->Value(masterField_);
}

void TDataSet::EnsureFresh()
{
    if (master_ && editState_ == TState::Browse) {
        TValue mv = MasterValue();
        if (mv != masterSeen_) {
            masterSeen_ = mv;
            dirty_ = true;
            cur_ = -1;
        }
    }
    if (dirty_)
        Requery();
}

void TDataSet::Requery()
{
    int64_t keep = cur_ >= 0 && cur_ < static_cast<int>(rows_.size()) ? rows_[cur_].rowid : -1;
    rows_.clear();
    dirty_ = false;
    cur_ = -1;
    eof_ = bof_ = true;
    if (!active_)
        return;

    std::string sql = "SELECT rowid";
    for (const TFieldDef &f : fields_)
        sql += ", " + Quote(f.Name);
    sql += " FROM " + Quote(name_);
    std::vector<std::string> where;
    if (filtered_) {
        if (!Trim(filter_).empty()) {
            if (!FilterIsContained(filter_))
                throw TDataError(name_ + ": filter not accepted: " + filter_);
            where.push_back("(" + filter_ + ")");
        }
        if (onFilter_ && filterHint_) {
            std::string h = filterHint_();
            if (!h.empty())
                where.push_back("(" + h + ")");
        }
    }
    if (master_)
        where.push_back(Quote(fields_[RequireField(detailField_)].Name) + " = ?1");
    for (size_t i = 0; i < where.size(); ++i)
        sql += (i ? " AND " : " WHERE ") + where[i];
    sql += " ORDER BY ";
    std::string rest = index_;
    while (!rest.empty()) {
        size_t p = rest.find(';');
        std::string one = Trim(rest.substr(0, p));
        if (!one.empty())
            sql += "+" + Quote(fields_[RequireField(one)].Name) + ", ";  // "+": let the filter pick the index
        rest = p == std::string::npos ? std::string() : rest.substr(p + 1);
    }
    sql += "rowid";

    TStmt st(db_, sql);
    if (!sqlite3_stmt_readonly(st.s))
        throw TDataError(name_ + ": filter not accepted: " + filter_);
    if (master_)
        Bind(st.s, 1, masterSeen_);
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) {
        TRow row;
        row.rowid = sqlite3_column_int64(st.s, 0);
        row.v.reserve(fields_.size());
        for (size_t i = 0; i < fields_.size(); ++i)
            row.v.push_back(ReadColumn(st.s, static_cast<int>(i) + 1, fields_[i].Type));
        if (filtered_ && onFilter_) {
            bool accept = true;
            filterRow_ = &row.v;
            try {
                onFilter_(*this, accept);
            } catch (...) {
                filterRow_ = nullptr;
                throw;
            }
            filterRow_ = nullptr;
            if (!accept)
                continue;
        }
        rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        throw TDataError(sqlite3_errmsg(db_));
    if (rows_.empty())
        return;
    cur_ = 0;
    if (keep >= 0)
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].rowid == keep)
                cur_ = static_cast<int>(i);
    eof_ = bof_ = false;
}

namespace {
// SQLite's order: null, then numbers, then text.
int CompareForIndex(const TValue &a, const TValue &b, bool noCase)
{
    auto rank = [](const TValue &v) {
        return std::holds_alternative<std::monostate>(v) ? 0 : std::holds_alternative<std::string>(v) ? 2 : 1;
    };
    int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 0)
        return 0;
    if (ra == 2) {
        const std::string &x = std::get<std::string>(a), &y = std::get<std::string>(b);
        if (!noCase)
            return x.compare(y) < 0 ? -1 : x == y ? 0 : 1;
        size_t n = std::min(x.size(), y.size());
        for (size_t i = 0; i < n; ++i) {
            int cx = std::tolower(static_cast<unsigned char>(x[i])), cy = std::tolower(static_cast<unsigned char>(y[i]));
            if (cx != cy)
                return cx < cy ? -1 : 1;
        }
        return x.size() == y.size() ? 0 : x.size() < y.size() ? -1 : 1;
    }
    auto num = [](const TValue &v) {
        return std::holds_alternative<int64_t>(v) ? static_cast<double>(std::get<int64_t>(v)) : std::get<double>(v);
    };
    double x = num(a), y = num(b);
    return x < y ? -1 : x > y ? 1 : 0;
}
}  // namespace

// Puts the cached records in index order again after edits, without a new query.
void TDataSet::SortRows()
{
    std::vector<int> keys;
    std::string rest = index_;
    while (!rest.empty()) {
        size_t p = rest.find(';');
        std::string one = Trim(rest.substr(0, p));
        if (!one.empty())
            keys.push_back(RequireField(one));
        rest = p == std::string::npos ? std::string() : rest.substr(p + 1);
    }
    int64_t keep = cur_ >= 0 && cur_ < static_cast<int>(rows_.size()) ? rows_[cur_].rowid : -1;
    std::stable_sort(rows_.begin(), rows_.end(), [&](const TRow &a, const TRow &b) {
        for (int k : keys) {
            int c = CompareForIndex(a.v[k], b.v[k], textNoCase_);
            if (c)
                return c < 0;
        }
        return a.rowid < b.rowid;
    });
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].rowid == keep)
            cur_ = static_cast<int>(i);
}

void TDataSet::Refresh()
{
    dirty_ = true;
    EnsureFresh();
}

int TDataSet::RecordCount()
{
    EnsureFresh();
    return static_cast<int>(rows_.size());
}

bool TDataSet::Eof()
{
    EnsureFresh();
    return rows_.empty() || eof_;
}

bool TDataSet::Bof()
{
    EnsureFresh();
    return rows_.empty() || bof_;
}

int TDataSet::RecNo()
{
    EnsureFresh();
    return cur_;
}

bool TDataSet::HasRecord()
{
    EnsureFresh();
    return editState_ == TState::Insert || (cur_ >= 0 && cur_ < static_cast<int>(rows_.size()));
}

void TDataSet::First()
{
    EnsureFresh();
    cur_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    bof_ = true;
}

void TDataSet::Last()
{
    EnsureFresh();
    cur_ = static_cast<int>(rows_.size()) - 1;
    eof_ = true;
    bof_ = rows_.empty();
}

void TDataSet::Next()
{
    EnsureFresh();
    bof_ = false;
    if (cur_ + 1 < static_cast<int>(rows_.size()))
        ++cur_;
    else
        eof_ = true;
}

void TDataSet::Prior()
{
    EnsureFresh();
    eof_ = false;
    if (cur_ > 0)
        --cur_;
    else
        bof_ = true;
}

void TDataSet::MoveTo(int recNo)
{
    EnsureFresh();
    if (recNo < 0 || recNo >= static_cast<int>(rows_.size()))
        throw TDataError(name_ + ": record out of range");
    cur_ = recNo;
    eof_ = bof_ = false;
}

namespace {
bool ValuesMatch(const TValue &a, const TValue &b, bool ignoreCase)
{
    if (std::holds_alternative<std::monostate>(a) || std::holds_alternative<std::monostate>(b))
        return std::holds_alternative<std::monostate>(a) && std::holds_alternative<std::monostate>(b);
    const std::string *sa = std::get_if<std::string>(&a), *sb = std::get_if<std::string>(&b);
    if (sa && sb)
        return ignoreCase ? SameText(*sa, *sb) : *sa == *sb;
    auto num = [](const TValue &v, double &out) {
        if (auto i = std::get_if<int64_t>(&v))
            return out = static_cast<double>(*i), true;
        if (auto d = std::get_if<double>(&v))
            return out = *d, true;
        return false;
    };
    double x, y;
    if (num(a, x) && num(b, y))
        return x == y;
    // Text against a number: compare the number's text form.
    const std::string &text = sa ? *sa : *sb;
    const TValue &n = sa ? b : a;
    std::string t = std::holds_alternative<int64_t>(n) ? std::to_string(std::get<int64_t>(n))
                                                       : FloatToText(std::get<double>(n));
    return ignoreCase ? SameText(text, t) : text == t;
}
}  // namespace

bool TDataSet::Locate(const std::string &field, const TValue &value, bool ignoreCase)
{
    int f = RequireField(field);
    EnsureFresh();
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (ValuesMatch(rows_[i].v[f], value, ignoreCase)) {
            cur_ = static_cast<int>(i);
            eof_ = bof_ = false;
            return true;
        }
    }
    return false;
}

const std::vector<TValue> &TDataSet::CurrentValues()
{
    if (filterRow_)
        return *filterRow_;
    if (editState_ != TState::Browse)
        return buffer_;
    EnsureFresh();
    RequireRecord();
    return rows_[cur_].v;
}

void TDataSet::RequireRecord()
{
    if (cur_ < 0 || cur_ >= static_cast<int>(rows_.size()))
        throw TDataError(name_ + ": no current record");
}

TValue TDataSet::Value(const std::string &field)
{
    int f = RequireField(field);
    return CurrentValues()[f];
}

bool TDataSet::IsNull(const std::string &field)
{
    return std::holds_alternative<std::monostate>(Value(field));
}

std::string TDataSet::AsString(const std::string &field)
{
    TValue v = Value(field);
    if (auto s = std::get_if<std::string>(&v))
        return *s;
    if (auto i = std::get_if<int64_t>(&v))
        return std::to_string(*i);
    if (auto d = std::get_if<double>(&v))
        return FloatToText(*d);
    return {};
}

double TDataSet::AsFloat(const std::string &field)
{
    TValue v = Value(field);
    if (auto d = std::get_if<double>(&v))
        return *d;
    if (auto i = std::get_if<int64_t>(&v))
        return static_cast<double>(*i);
    if (auto s = std::get_if<std::string>(&v)) {
        double out;
        if (!ParseFloat(*s, out))
            throw TDataError(name_ + ": '" + *s + "' is not a number");
        return out;
    }
    return 0.0;
}

int64_t TDataSet::AsInteger(const std::string &field)
{
    TValue v = Value(field);
    if (auto i = std::get_if<int64_t>(&v))
        return *i;
    if (auto d = std::get_if<double>(&v))
        return static_cast<int64_t>(std::llround(*d));
    if (auto s = std::get_if<std::string>(&v)) {
        int64_t out;
        if (!ParseInt(*s, out))
            throw TDataError(name_ + ": '" + *s + "' is not an integer");
        return out;
    }
    return 0;
}

TValue TDataSet::Coerce(int field, const TValue &value) const
{
    const TFieldDef &f = fields_[field];
    if (std::holds_alternative<std::monostate>(value))
        return {};
    switch (f.Type) {
    case TFieldType::AutoInc:
    case TFieldType::Integer:
        if (auto i = std::get_if<int64_t>(&value))
            return *i;
        if (auto d = std::get_if<double>(&value)) {
            if (!std::isfinite(*d))
                throw TDataError(name_ + "." + f.Name + ": not an integer");
            return static_cast<int64_t>(std::llround(*d));
        } else {
            const std::string &s = std::get<std::string>(value);
            int64_t out;
            if (Trim(s).empty())
                return {};
            if (!ParseInt(s, out))
                throw TDataError(name_ + "." + f.Name + ": '" + s + "' is not an integer");
            return out;
        }
    case TFieldType::Float:
        if (auto d = std::get_if<double>(&value))
            return *d;
        if (auto i = std::get_if<int64_t>(&value))
            return static_cast<double>(*i);
        else {
            const std::string &s = std::get<std::string>(value);
            double out;
            if (Trim(s).empty())
                return {};
            if (!ParseFloat(s, out))
                throw TDataError(name_ + "." + f.Name + ": '" + s + "' is not a number");
            return out;
        }
    case TFieldType::Text: {
        std::string s;
        if (auto t = std::get_if<std::string>(&value))
            s = *t;
        else if (auto i = std::get_if<int64_t>(&value))
            s = std::to_string(*i);
        else
            s = FloatToText(std::get<double>(value));
        if (f.Size > 0 && static_cast<int>(s.size()) > f.Size)
            s.resize(static_cast<size_t>(f.Size));
        return s;
    }
    }
    return {};
}

void TDataSet::Edit()
{
    if (!active_)
        throw TDataError(name_ + ": table not active");
    if (editState_ != TState::Browse)
        return;
    EnsureFresh();
    RequireRecord();
    buffer_ = rows_[cur_].v;
    editState_ = TState::Edit;
}

void TDataSet::Append()
{
    if (!active_)
        throw TDataError(name_ + ": table not active");
    if (editState_ != TState::Browse)
        Post();
    EnsureFresh();
    buffer_.assign(fields_.size(), TValue{});
    if (master_)
        buffer_[RequireField(detailField_)] = Coerce(RequireField(detailField_), masterSeen_);
    editState_ = TState::Insert;
}

void TDataSet::SetValue(const std::string &field, const TValue &value)
{
    int f = RequireField(field);
    if (editState_ == TState::Browse)
        throw TDataError(name_ + ": not in edit or insert mode");
    buffer_[f] = Coerce(f, value);
}

void TDataSet::Post()
{
    if (editState_ == TState::Browse)
        return;
    int autoInc = -1;
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].Type == TFieldType::AutoInc)
            autoInc = static_cast<int>(i);
    if (editState_ == TState::Edit) {
        // Only the changed columns are written, so untouched indexes stay as they are.
        uint64_t mask = 0;
        for (size_t i = 0; i < fields_.size(); ++i)
            if (buffer_[i] != rows_[cur_].v[i])
                mask |= uint64_t(1) << i;
        if (mask != 0) {
            sqlite3_stmt *st = nullptr;
            for (auto &u : updates_)
                if (u.first == mask)
                    st = u.second;
            if (!st) {
                std::string sql = "UPDATE " + Quote(name_) + " SET ";
                bool first = true;
                for (size_t i = 0; i < fields_.size(); ++i)
                    if (mask & (uint64_t(1) << i)) {
                        sql += (first ? "" : ", ") + Quote(fields_[i].Name) + " = ?" + std::to_string(i + 1);
                        first = false;
                    }
                sql += " WHERE rowid = ?" + std::to_string(fields_.size() + 1);
                if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
                    sqlite3_finalize(st);
                    throw TDataError(sqlite3_errmsg(db_));
                }
                updates_.emplace_back(mask, st);
            }
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
            for (size_t i = 0; i < fields_.size(); ++i)
                if (mask & (uint64_t(1) << i))
                    Bind(st, static_cast<int>(i) + 1, buffer_[i]);
            sqlite3_bind_int64(st, static_cast<int>(fields_.size()) + 1, rows_[cur_].rowid);
            int rc = sqlite3_step(st);
            sqlite3_reset(st);
            if (rc != SQLITE_DONE)
                throw TDataError(sqlite3_errmsg(db_));
        }
        if (autoInc >= 0 && std::holds_alternative<int64_t>(buffer_[autoInc]))
            rows_[cur_].rowid = std::get<int64_t>(buffer_[autoInc]);
        rows_[cur_].v = buffer_;
    } else {
        std::string sql = "INSERT INTO " + Quote(name_) + " (";
        std::string vals;
        for (size_t i = 0; i < fields_.size(); ++i) {
            sql += (i ? ", " : "") + Quote(fields_[i].Name);
            vals += (i ? ", ?" : "?") + std::to_string(i + 1);
        }
        sql += ") VALUES (" + vals + ")";
        TStmt st(db_, sql);
        for (size_t i = 0; i < fields_.size(); ++i)
            Bind(st.s, static_cast<int>(i) + 1, buffer_[i]);
        if (sqlite3_step(st.s) != SQLITE_DONE)
            throw TDataError(sqlite3_errmsg(db_));
        TRow row;
        row.rowid = sqlite3_last_insert_rowid(db_);
        if (autoInc >= 0)
            buffer_[autoInc] = row.rowid;
        row.v = buffer_;
        rows_.push_back(std::move(row));
        cur_ = static_cast<int>(rows_.size()) - 1;
        eof_ = bof_ = false;
    }
    editState_ = TState::Browse;
    buffer_.clear();
}

void TDataSet::Cancel()
{
    editState_ = TState::Browse;
    buffer_.clear();
}

void TDataSet::Delete()
{
    if (editState_ == TState::Insert) {
        Cancel();
        return;
    }
    Cancel();
    EnsureFresh();
    RequireRecord();
    TStmt st(db_, "DELETE FROM " + Quote(name_) + " WHERE rowid = ?1");
    sqlite3_bind_int64(st.s, 1, rows_[cur_].rowid);
    if (sqlite3_step(st.s) != SQLITE_DONE)
        throw TDataError(sqlite3_errmsg(db_));
    rows_.erase(rows_.begin() + cur_);
    if (cur_ >= static_cast<int>(rows_.size()))
        cur_ = static_cast<int>(rows_.size()) - 1;
    eof_ = bof_ = rows_.empty();
}

void TDataSet::EmptyTable()
{
    Cancel();
    Exec("DELETE FROM " + Quote(name_));
    dirty_ = true;
    cur_ = -1;
}

void TDataSet::InsertRows(const std::vector<std::vector<TValue>> &rows)
{
    std::string sql = "INSERT INTO " + Quote(name_) + " (";
    std::string vals;
    for (size_t i = 0; i < fields_.size(); ++i) {
        sql += (i ? ", " : "") + Quote(fields_[i].Name);
        vals += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    sql += ") VALUES (" + vals + ")";
    Exec("SAVEPOINT insert_rows");
    try {
        TStmt st(db_, sql);
        for (const auto &row : rows) {
            if (row.size() > fields_.size())
                throw TDataError(name_ + ": row has too many cells");
            sqlite3_reset(st.s);
            sqlite3_clear_bindings(st.s);
            for (size_t i = 0; i < row.size(); ++i)
                Bind(st.s, static_cast<int>(i) + 1, Coerce(static_cast<int>(i), row[i]));
            if (sqlite3_step(st.s) != SQLITE_DONE)
                throw TDataError(name_ + ": " + sqlite3_errmsg(db_));
        }
    } catch (...) {
        Exec("ROLLBACK TO insert_rows");
        Exec("RELEASE insert_rows");
        throw;
    }
    Exec("RELEASE insert_rows");
    dirty_ = true;
}

void TDataSet::LoadFromFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TDataError("cannot open " + path);
    std::string line;
    auto nextLine = [&](std::string &out) {
        if (!std::getline(in, out))
            return false;
        if (!out.empty() && out.back() == '\r')
            out.pop_back();
        return true;
    };
    if (!nextLine(line) || Trim(line) != "TOLVU-TABLE 1")
        throw TDataError(path + ": not a table file");
    if (!nextLine(line))
        throw TDataError(path + ": no header");
    std::vector<std::string> header;
    SplitTabs(line, header);
    std::vector<int> map;  // file column -> field, -1 to skip
    for (const std::string &h : header)
        map.push_back(FieldIndex(Trim(h)));

    std::vector<std::vector<TValue>> rows;
    std::vector<std::string> cells;
    int lineNo = 2;
    while (nextLine(line)) {
        ++lineNo;
        if (line.empty())
            continue;
        SplitTabs(line, cells);
        if (cells.size() != header.size())
            throw TDataError(path + ": line " + std::to_string(lineNo) + " has " + std::to_string(cells.size()) +
                             " cells, expected " + std::to_string(header.size()));
        std::vector<TValue> row(fields_.size());
        for (size_t c = 0; c < cells.size(); ++c) {
            if (map[c] < 0)
                continue;
            bool isNull;
            std::string text = Unescape(cells[c], isNull);
            if (!isNull)
                row[static_cast<size_t>(map[c])] = Coerce(map[c], text);
        }
        rows.push_back(std::move(row));
    }
    if (in.bad())
        throw TDataError(path + ": read error");

    Exec("SAVEPOINT load_table");
    try {
        Exec("DELETE FROM " + Quote(name_));
        InsertRows(rows);
    } catch (...) {
        Exec("ROLLBACK TO load_table");
        Exec("RELEASE load_table");
        dirty_ = true;
        throw;
    }
    Exec("RELEASE load_table");
    Cancel();
    active_ = true;
    dirty_ = true;
    cur_ = -1;
}

void TDataSet::SaveToFile(const std::string &path)
{
    std::string out = "TOLVU-TABLE 1\n";
    for (size_t i = 0; i < fields_.size(); ++i)
        out += (i ? "\t" : "") + fields_[i].Name;
    out += '\n';
    std::string sql = "SELECT ";
    for (size_t i = 0; i < fields_.size(); ++i)
        sql += (i ? ", " : "") + Quote(fields_[i].Name);
    sql += " FROM " + Quote(name_) + " ORDER BY rowid";
    TStmt st(db_, sql);
    while (sqlite3_step(st.s) == SQLITE_ROW) {
        for (size_t i = 0; i < fields_.size(); ++i) {
            if (i)
                out += '\t';
            TValue v = ReadColumn(st.s, static_cast<int>(i), fields_[i].Type);
            if (std::holds_alternative<std::monostate>(v))
                out += "\\N";
            else if (auto s = std::get_if<std::string>(&v))
                out += Escape(*s);
            else if (auto n = std::get_if<int64_t>(&v))
                out += std::to_string(*n);
            else
                out += SqlNumber(std::get<double>(v));
        }
        out += '\n';
    }
    std::string tmp = path + ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        f << out;
        if (!f.flush())
            throw TDataError("cannot write " + tmp);
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0)
        throw TDataError("cannot replace " + path);
}

// ---------------------------------------------------------------- geography

double GeoDistance(bool kilometres, double lat1, double lon1, double lat2, double lon2)
{
    double x = (Rad(lon2) - Rad(lon1)) * std::cos((Rad(lat1) + Rad(lat2)) / 2);
    double y = Rad(lat2) - Rad(lat1);
    double d = std::sqrt(x * x + y * y) * (kilometres ? kEarthKm : kEarthMiles);
    // nearbyint follows the default rounding mode: halves go to even.
    return std::nearbyint(d * 100.0) / 100.0;
}

TGeoBox GeoBox(double lat, double lon, double radius, bool kilometres)
{
    double a = radius / (kilometres ? kEarthKm : kEarthMiles);
    double dLat = Deg(a);
    double dLon = Deg(a / BoxCos(Rad(lat)));
    return {lat - dLat, lon - dLon, lat + dLat, lon + dLon};
}

// ---------------------------------------------------------------- design-time rows

namespace {

TValue S(const char *s) { return std::string(s); }
TValue I(int64_t i) { return i; }
const TValue N{};

void AddRegionRows(TDataSet &set)
{
    const char *rows[][2] = {{"erh", "Eastern Region"}, {"wrh", "Western Region"}, {"crh", "Central Region"},
                             {"srh", "Southern Region"}, {"prh", "Pacific Region"}, {"arh", "Alaska Region"}};
    std::vector<std::vector<TValue>> out;
    int key = 0;
    for (auto &r : rows)
        out.push_back({I(key++), S(r[0]), S(r[1])});
    set.InsertRows(out);
}

struct TRadarSite {
    int key;
    const char *id, *state, *name;
};

const TRadarSite kRadarSites[] = {
    {1, "AHG", "AK", "Kenai/Nikiski"}, {2, "AIH", "AK", "Middleton Island"},
    {3, "BMX", "AL", "Birmingham/Alabaster"}, {4, "EOX", "AL", "Fort Rucker"},
    {5, "HTX", "AL", "Huntsville/Hytop"}, {6, "MOB", "AL", "Mobile"},
    {7, "MXX", "AL", "Maxwell AFB/Carrville"}, {8, "LZK", "AR", "Little Rock"},
    {9, "SRX", "AR", "Fort Smith/Chaffee Ridge"}, {10, "EMX", "AZ", "Tucson"},
    {11, "FSX", "AZ", "Flagstaff"}, {12, "IWA", "AZ", "Phoenix"},
    {13, "YUX", "AZ", "Yuma"}, {14, "BBX", "CA", "Beale AFB"},
    {15, "BHX", "CA", "Eureka"}, {16, "DAX", "CA", "Sacramento/Davis"},
    {17, "EYX", "CA", "Edwards AFB"}, {18, "HKX", "CA", "San Diego"},
    {19, "HNX", "CA", "San Joaquin Valley/Hanford"}, {20, "MUX", "CA", "San Francisco/Mt Umunhum"},
    {21, "SOX", "CA", "Santa Ana Mountains"}, {22, "VBX", "CA", "Vandenberg AFB"},
    {23, "VTX", "CA", "Los Angeles/Sulphur Mtn"}, {24, "FTG", "CO", "Front Range AP/Denver"},
    {25, "GJX", "CO", "Grand Junction"}, {26, "PUX", "CO", "Pueblo"},
    {27, "LWX", "DC", "Sterling/Washington DC"}, {28, "DOX", "DE", "Dover AFB"},
    {29, "AMX", "FL", "Miami"}, {30, "BYX", "FL", "Key West"},
    {31, "EVX", "FL", "Eglin AFB/Red Bay"}, {32, "JAX", "FL", "Jacksonville"},
    {33, "MLB", "FL", "Melbourne"}, {34, "TBW", "FL", "Tampa Bay"},
    {35, "TLH", "FL", "Tallahassee"}, {36, "JGX", "GA", "Robins AFB"},
    {37, "VAX", "GA", "Moody AFB"}, {38, "FFC", "GS", "Atlanta/Peachtree City"},
    {39, "HKI", "HI", "South Kauai"}, {40, "HKM", "HI", "Kohala"},
    {41, "HMO", "HI", "Molokai"}, {42, "HWA", "HI", "South Shore/Hawaii"},
    {43, "DMX", "IA", "Des Moines"}, {44, "DVN", "IA", "Quad Cities/Davenport"},
    {45, "CBX", "ID", "Boise"}, {46, "SFX", "ID", "Pocatello/Idaho Falls"},
    {47, "ILX", "IL", "Central Illinois/Lincoln"}, {48, "LOT", "IL", "Chicago"},
    {49, "IND", "IN", "Indianapolis"}, {50, "IWX", "IN", "Northern Indiana"},
    {51, "DDC", "KS", "Dodge City"}, {52, "GLD", "KS", "Goodland"},
    {53, "ICT", "KS", "Wichita"}, {54, "TWX", "KS", "Topeka"},
    {55, "HPX", "KY", "Fort Campbell"}, {56, "JKL", "KY", "Jackson"},
    {57, "LVX", "KY", "Louisville"}, {58, "PAH", "KY", "Paducah"},
    {59, "LCH", "LA", "Lake Charles"}, {60, "LIX", "LA", "New Orleans/Slidell"},
    {61, "POE", "LA", "Fort Polk"}, {62, "SHV", "LA", "Shreveport"},
    {63, "BOX", "MA", "Boston/Taunton"}, {64, "EAX", "MD", "Kansas City/Pleasant Hill"},
    {65, "CBW", "ME", "Caribou/Houlton"}, {66, "GYX", "ME", "Portland/Gray"},
    {67, "APX", "MI", "Gaylord/Alpena"}, {68, "DTX", "MI", "Detroit/Pontiac"},
    {69, "GRR", "MI", "Grand Rapids"}, {70, "MQT", "MI", "Marquette"},
    {71, "DLH", "MN", "Duluth"}, {72, "MPX", "MN", "Minneapolis/Chanhassen"},
    {73, "LSX", "MO", "St Louis"}, {74, "SGF", "MO", "Springfield"},
    {75, "GWX", "MS", "Columbus AFB"}, {76, "BLX", "MT", "Billings"},
    {77, "GGW", "MT", "Glasgow"}, {78, "MSX", "MT", "Missoula"},
    {79, "TFX", "MT", "Great Falls"}, {80, "LTX", "NC", "Wilmington"},
    {81, "MHX", "NC", "Morehead City/Newport"}, {82, "RAX", "NC", "Raleigh/Durham"},
    {83, "BIS", "ND", "Bismarck"}, {84, "MBX", "ND", "Minot AFB"},
    {85, "MVX", "ND", "Grand Forks/Mayville"}, {86, "LNX", "NE", "North Platte"},
    {87, "OAX", "NE", "Omaha/Valley"}, {88, "UEX", "NE", "Hastings"},
    {89, "ABX", "NM", "Albuquerque"}, {90, "FDX", "NM", "Cannon AFB"},
    {91, "HDX", "NM", "Holloman AFB"}, {92, "ESC", "NV", "Las Vegas"},
    {93, "LRX", "NV", "Elko"}, {94, "RGX", "NV", "Reno"},
    {95, "BGM", "NY", "Binghamton"}, {96, "BUF", "NY", "Buffalo"},
    {97, "ENX", "NY", "Albany"}, {98, "OKX", "NY", "New York City/Upton"},
    {99, "TYX", "NY", "Montague/Fort Drum"}, {100, "CLE", "OH", "Cleveland"},
    {101, "ILN", "OH", "Cincinnati/Wilmington"}, {102, "FDR", "OK", "Frederick/Altus AFB"},
    {103, "INX", "OK", "Tulsa"}, {104, "TLX", "OK", "Oklahoma City"},
    {105, "VNX", "OK", "Vance AFB"}, {106, "MAX", "OR", "Medford"},
    {107, "PDT", "OR", "Pendleton"}, {108, "RTX", "OR", "Portland"},
    {109, "CCX", "PA", "Moshannon St Forest/State Colleg"}, {110, "DIX", "PA", "Philadelphia/Fort Dix"},
    {111, "PBZ", "PA", "Pittsburgh"}, {112, "JUA", "PR", "San Juan"},
    {113, "CAE", "SC", "Columbia"}, {114, "CLX", "SC", "Charleston"},
    {115, "GSP", "SC", "Greenville/Spartanburg"}, {116, "ABR", "SD", "Aberdeen"},
    {117, "FSD", "SD", "Sioux Falls"}, {118, "UDX", "SD", "Rapid City"},
    {119, "MRX", "TN", "Knoxville/Morristown"}, {120, "NQA", "TN", "Memphis/Millington"},
    {121, "OHX", "TN", "Nashville"}, {122, "AMA", "TX", "Amarillo"},
    {123, "BRO", "TX", "Brownsville"}, {124, "CRP", "TX", "Corpus Christi"},
    {125, "DFX", "TX", "Laughlin AFB"}, {126, "DGX", "TX", "Jackson/Brandon"},
    {127, "DYX", "TX", "Dyess AFB"}, {128, "EPZ", "TX", "El Paso"},
    {129, "EWX", "TX", "Austin/San Antonio"}, {130, "FWS", "TX", "Dallas/Fort Worth"},
    {131, "GRK", "TX", "Central Texas/Fort Hood"}, {132, "HGX", "TX", "Houston/Galveston"},
    {133, "LBB", "TX", "Lubbock"}, {134, "MAF", "TX", "Midland/Odessa"},
    {135, "SJT", "TX", "San Angelo"}, {136, "ICX", "UT", "Cedar City"},
    {137, "MTX", "UT", "Salt Lake City"}, {138, "AKQ", "VA", "Norfolk/Wakefield"},
    {139, "FCX", "VA", "Roanoke/Blacksburg"}, {140, "CXX", "VT", "Burlington"},
    {141, "ATX", "WA", "Seattle/Tacoma"}, {142, "OTX", "WA", "Spokane"},
    {143, "ARX", "WI", "La Crosse"}, {144, "GRB", "WI", "Green Bay"},
    {145, "MKX", "WI", "Milwaukee"}, {146, "RLX", "WV", "Charleston"},
    {147, "CYS", "WY", "Cheyenne"}, {148, "RIW", "WY", "Riverton"},
    {163, "GUA", "GU", "Andersen AFB/Guam"},
};

void AddImageRows(TDataSet &set)
{
    // Key, Service, Country, Region, State, ID, Name, URL
    std::vector<std::vector<TValue>> out;
    out.push_back({I(0), N, S(""), S(""), S(""), S(""), S("Not Assigned"), S("")});
    for (const TRadarSite &r : kRadarSites)
        out.push_back({I(r.key), I(0), S("US"), S("Local"), S(r.state), S(r.id), S(r.name), S("")});
    out.push_back({I(149), I(0), S("US"), S("National"), S(""), S(""), S("US National Radar (small)"),
                   S("/ridge/Conus/RadarImg/latest_Small.gif")});
    out.push_back({I(150), I(0), S("US"), S("National"), S(""), S(""), S("US National Radar"),
                   S("/ridge/Conus/RadarImg/latest.gif")});
    const char *regional[][2] = {
        {"Alaska", "alaska"},         {"Northwest", "pacnorthwest"},      {"Northern Rockies", "northrockies"},
        {"Upper Midwest", "uppermissvly"}, {"Central/Great Lakes", "centgrtlakes"}, {"Northeast", "northeast"},
        {"Hawaii", "hawaii"},         {"Southwest", "pacsouthwest"},      {"Southern Rockies", "southrockies"},
        {"Southern Plains", "southplains"}, {"South", "southmissvly"},   {"Southeast", "southeast"}};
    int key = 151;
    for (auto &r : regional)
        out.push_back({I(key++), I(0), S("US"), S("Regional"), S(""), S(""), S(r[0]),
                       S(("/ridge/Conus/RadarImg/" + std::string(r[1]) + ".gif").c_str())});

    const std::string img = ServerBase(TServer::AccuImages);
    // The surface maps live on the web site's graphics folder, not the image server.
    const std::string web = ServerBase(TServer::AccuWeb);
    auto acu = [&](int k, const char *country, const char *region, const char *state, const char *id,
                   const char *name, const std::string &url) {
        out.push_back({I(k), I(1), S(country), S(region), S(state), S(id), S(name), TValue(url)});
    };
    const std::string ir = img + "/sat_mosaic_640x480_public/IR/";
    acu(391, "Not Assigned", "Global", "", "", "World", ir + "isawmerc");
    struct TSat {
        int key;
        const char *country, *region, *name, *file;
    };
    const TSat sats[] = {
        {392, "Africa", "International", "Nothern Africa", "isaafrn"},
        {393, "Africa", "International", "Sourthern Africa", "isaafrs"},
        {394, "Asia", "International", "Asia", "isaasia"},
        {395, "Atlantic", "Marine", "Atlantic", "isaatl"},
        {396, "Atlantic", "Marine", "Eastern Atlantic", "isaatle"},
        {397, "Atlantic", "Marine", "Northern Atlantic", "isaatln"},
        {398, "Atlantic", "Marine", "Western Atlantic", "isaatlw"},
        {399, "Australia", "International", "Australia", "isaaust"},
        {400, "Central America", "International", "Central America", "isacam"},
        {401, "Central America", "International", "Caribean", "isacar"},
        {402, "Atlantic", "Marine", "Central Atlantic", "isacatl"},
        {403, "Atlantic", "Marine", "Northern Atlantic", "isanatl"},
        {404, "Pacific", "Marine", "Northeast Pacific", "isanepac"},
        {405, "Europe", "International", "Europe", "isaeurm"},
        {406, "Europe", "International", "Europe (Weatern)", "isaeur3"},
        {407, "Asia", "International", "India", "isaindia"},
        {408, "North America", "International", "Mexico", "isamex"},
        {409, "Asia", "International", "Middle East", "isamide"},
        {410, "South America", "International", "South America (Central)", "isacsam"},
        {411, "South America", "International", "South America (Northern)", "isansam"},
        {412, "South America", "International", "South America (Southern)", "isassam"},
    };
    for (const TSat &s : sats)
        acu(s.key, s.country, s.region, "", "", s.name, ir + s.file);
    acu(413, "North America", "International", "", "", "North America Radar",
        img + "/nx_mosaic_640x480_public/sir/inmaSIRUS_");
    acu(414, "North America", "International", "", "", "North America Satelite",
        img + "/sat_mosaic_640x480_public/ir/isaun");
    acu(415, "North America", "International", "", "", "North America Satelite (Visible)",
        img + "/sat_mosaic_640x480_public/vis/isavun");
    acu(416, "North America", "International", "", "", "North America Satelite/Radar",
        img + "/sat_mosaic_640x480_public/rs/isarun");
    acu(417, "North America", "International", "", "", "North America Surface", web + "/publicgfx/ussu0000");
    acu(418, "US", "National", "", "", "Radar", img + "/nx_mosaic_640x480_public/sir/inmaSIRUS_");
    acu(419, "US", "National", "", "", "Satelite", img + "/sat_mosaic_640x480_public/ir/isaun");
    acu(420, "US", "National", "", "", "Satelite(Visible)", img + "/sat_mosaic_640x480_public/vis/isavun");
    acu(421, "US", "National", "", "", "Satelite and Radar", img + "/sat_mosaic_640x480_public/rs/isarun");
    acu(422, "US", "National", "", "", "Surface", web + "/publicgfx/ussu0000");
    acu(423, "CA", "National", "", "", "Radar", img + "/nx_mosaic_640x480_public/SIR/inmaSIRCNC");
    acu(424, "CA", "National", "", "", "Satelite", img + "/sat_mosaic_640x480_public/ir/isacanm");
    acu(425, "CA", "National", "", "", "Surface", img + "/adc_images2/english/forecast/sfc/640x480/cn_todsfc");
    acu(426, "US", "Region", "", "R", "Radar", img + "/nx_mosaic_640x480_public/sir/inmaSIR");
    acu(427, "US", "Region", "", "S", "Satelite", img + "/sat_mosaic_640x480_public/rs/isar");
    acu(428, "US", "Region", "", "RE", "Radar (State)", img + "/nx_mosaic_640x480c/RE/inmaRE");
    acu(429, "CA", "Region", "", "R", "Radar", img + "/nx_mosaic_640x480_public/sir/inmaSIR");
    const char *regions[][2] = {{"NE", "Northeast"},     {"NC", "North Central"}, {"NW", "Northwest"},
                                {"SE", "Southeast"},     {"SC", "South Central"}, {"SW", "Southwest"}};
    key = 430;
    for (auto &r : regions) {
        acu(key++, "US", "Regional", "", r[0], (std::string(r[1]) + " Radar").c_str(), "");
        acu(key++, "US", "Regional", "", r[0], (std::string(r[1]) + " Satelite").c_str(), "");
    }
    const char *provinces[][2] = {{"QB", "Alberta"},      {"BC", "British Columbia"}, {"MB", "Manitoba"},
                                  {"NF", "Newfoundland"}, {"NS", "Nova Scotia"},      {"ON", "Ontario"},
                                  {"QB", "Quebec"},       {"SK", "Saskatchewan"}};
    key = 442;
    for (auto &p : provinces)
        acu(key++, "CA", "Province", "", p[0], p[1], "");
    // ID, State, Name: the ID is the map's code, which several small states share.
    const char *states[][3] = {
        {"AL", "AL", "Alabama"},      {"AK", "AK", "Alaska"},          {"AZ", "AZ", "Arizona"},
        {"AR", "AR", "Arkansas"},     {"CAN", "CA", "California (North)"}, {"CAC", "CA", "California (Central)"},
        {"CAS", "CA", "California (South)"}, {"CO", "CO", "Colorado"}, {"CT", "CT", "Cconneticut"},
        {"VA", "DE", "Deleware"},     {"DC", "DC", "District of Columbia"}, {"FL", "FL", "Florida"},
        {"GA", "GA", "Georgia"},      {"HI", "HI", "Hawiaii"},         {"ID", "ID", "Idaho"},
        {"IL", "IL", "Illinois"},     {"IN", "IN", "Indiana"},         {"IA", "IA", "Iowa"},
        {"KS", "KS", "Kansas"},       {"KY", "KY", "Kentucky"},        {"LA", "LA", "Louisiana"},
        {"NH", "ME", "Maine"},        {"VA", "MD", "Maryland"},        {"CT", "MA", "Massachusetts"},
        {"MI", "MI", "Michigan"},     {"MN", "MN", "Minnesota"},       {"MS", "MS", "Mississippi"},
        {"MO", "MO", "Mosouri"},      {"MT", "MT", "Montana"},         {"NE", "NE", "Nebraska"},
        {"NV", "NV", "Nevada"},       {"NH", "NH", "Newhampshire"},    {"PA", "NJ", "New Jersey"},
        {"NM", "NM", "New Mexico"},   {"NY", "NY", "New York"},        {"SC", "NC", "North Carolina"},
        {"ND", "ND", "North Dakota"}, {"OH", "OH", "Ohio"},            {"OK", "OK", "Oklahoma"},
        {"OR", "OR", "Oregon"},       {"PA", "PA", "Pennsylvania"},    {"CT", "RI", "Rhode Island"},
        {"SC", "SC", "South Carolina"}, {"SD", "SD", "South Dakota"}, {"TN", "TN", "Tennessee"},
        {"TXE", "TX", "Texas (East)"}, {"TXW", "TX", "Texas (West)"}, {"TXS", "TX", "Texas (South)"},
        {"UT", "UT", "Utah"},         {"NH", "VT", "Vermont"},         {"VA", "VA", "Virginia"},
        {"WA", "WA", "Washington"},   {"VA", "WV", "West virginia"},   {"WI", "WI", "Wisconsin"},
        {"WY", "WY", "Wyoming"},
    };
    key = 450;
    for (auto &s : states)
        acu(key++, "US", "State", s[1], s[0], s[2], "");
    acu(506, "US", "State", "GU", "Guam", "Guam", "");
    // The blank entry at the end of the AccuWeather rows.
    out.push_back({N, I(1), S(""), S(""), S(""), S(""), S(""), S("")});
    set.InsertRows(out);
}

void AddFilterRows(TDataSet &set)
{
    struct TRow {
        int key, service;  // -1: blank cell
        const char *country, *region, *name, *filter;
    };
    const TRow rows[] = {
        {0, 0, "US", "Local", "Local", "Service=0 and Region='Local'"},
        {1, 0, "US", "Regional", "Regional", "Service=0 and Region='Regional'"},
        {2, 0, "US", "National", "National", "Service=0 and Region='National'"},
        {3, 2, "Not Assigned", "Global", "Global", "Service=2 and Region='Global'"},
        {4, 2, "Not Assigned", "Asia", "Asia", "Service=2 and Region='Asia'"},
        {5, 2, "Not Assigned", "North America", "North America", "Service=2 and Region='North America'"},
        {6, 2, "Not Assigned", "South America", "South America", "Service=2 and Region='South America'"},
        {7, 2, "Not Assigned", "Central America", "Central America", "Service=2 and Region='Central America'"},
        {8, 2, "Not Assigned", "Europe", "Europe", "Service=2 and Region='Europe'"},
        {9, 2, "US", "Alaska", "US - Alaska", "Service=2 and Region='Alaska'"},
        {10, 2, "US", "Central", "Central - US", "Service=2 and Region='Central'"},
        {11, 2, "US", "Hawaii", "US - Hawaii", "Service=2 and Region='Hawaii'"},
        {12, 2, "US", "Midwest", "Midwest - US", "Service=2 and Region='Midwest'"},
        {13, 2, "US", "East", "Eastern - US", "Service=2 and Region='East'"},
        {14, 2, "US", "East Central", "East Central - US", "Service=2 and Region='East Central'"},
        {15, 2, "US", "West", "Western - US", "Service=2 and Region='West'"},
        {16, 2, "US", "West Central", "West Central - US", "Service=2 and Region='West Central'"},
        {17, -1, "US", "North", "North - US", "Service=1 and Region='North'"},
        {18, 2, "US", "North Central", "North Central - US", "Service=2 and Region='North Central'"},
        {19, 2, "US", "Northeast", "Northeast - US", "Service=2 and Region='Northeast'"},
        {20, 2, "US", "Northwest", "Northwest - US", "Service=2 and Region='Northwest'"},
        {21, -1, "US", "South", "South - US", "Service=1 and Region='South'"},
        {22, 2, "US", "South Central", "South Central - US", "Service=2 and Region='South Central'"},
        {23, 2, "US", "Southeast", "Southeast -US", "Service=2 and Region='Southeast'"},
        {24, 2, "US", "Southwest", "Southwest - US", "Service=2 and Region='Southwest'"},
        {25, 2, "US", "Marine", "Marine", "Service=2 and Region='Marine'"},
        {26, 1, "Not Assigned", "Global", "World", "Service=1 and Region='Global'"},
        {27, 1, "Not Assigned", "International", "International", "Service=1 and Region='International'"},
        {28, 1, "US", "National", "United States", "Service=1 and Region='National' and Country='US'"},
        {29, 1, "US", "Regional", "Regional US", "Service=1 and Region='Regional' and Country='US'"},
        {30, 1, "US", "State", "State US", "Service=1 and Region='State' and Country='US'"},
        {31, -1, "US", "Local", "Local US", "Service=2 and Region='Local' and Country='US'"},
        {32, 1, "CA", "National", "Canada", "Service=1 and Region='National' and Country='CA'"},
        {33, 1, "CA", "Province", "Province CA", "Service=1 and Region='Province' and Country='CA'"},
        {34, -1, "CA", "Local", "Local CA", "Service=2 and Region='Local' and Country='CA'"},
        {35, 1, "Not Assigned", "Marine", "Marine", "Service=1 and Region='Marine'"},
    };
    std::vector<std::vector<TValue>> out;
    for (const TRow &r : rows)
        out.push_back({I(r.key), r.service < 0 ? N : I(r.service), S(""), S(r.country), S(r.region), S(""),
                       S(r.name), S(r.filter)});
    set.InsertRows(out);
}

void AddOptionRows(TDataSet &set)
{
    set.InsertRows({{S("0"), I(0), I(0), I(24), S("FTG")},
                    {S("1"), I(1), I(3), I(391), S("")},
                    {S("2"), I(2), I(3), I(183), S("")}});
}

// "user: icon, icon; user: ..." with "ra10-ra100" / "shra10-100" standing for
// the ten probability variants 10, 20, ... 100.
void AddConditionList(std::vector<std::vector<TValue>> &out, int64_t &key, int service, const char *list,
                      bool twoDigitAlternates)
{
    std::string all = list;
    size_t pos = 0;
    while (pos < all.size()) {
        size_t semi = all.find(';', pos);
        std::string group = all.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos);
        pos = semi == std::string::npos ? all.size() : semi + 1;
        size_t colon = group.find(':');
        if (colon == std::string::npos)
            continue;
        std::string user = Trim(group.substr(0, colon));
        std::string icons = group.substr(colon + 1);
        size_t p = 0;
        while (p <= icons.size()) {
            size_t comma = icons.find(',', p);
            std::string icon = Trim(icons.substr(p, comma == std::string::npos ? std::string::npos : comma - p));
            p = comma == std::string::npos ? icons.size() + 1 : comma + 1;
            if (icon.empty())
                continue;
            std::vector<std::string> names;
            size_t dash = icon.find("10-");
            if (dash != std::string::npos && icon.size() > 3 && icon.compare(icon.size() - 3, 3, "100") == 0) {
                std::string stem = icon.substr(0, dash);
                for (int n = 10; n <= 100; n += 10)
                    names.push_back(stem + std::to_string(n));
            } else {
                names.push_back(icon);
            }
            for (const std::string &n : names) {
                TValue alt = S("");
                if (twoDigitAlternates && n.size() == 1 && std::isdigit(static_cast<unsigned char>(n[0])))
                    alt = std::string("0") + n;
                else if (twoDigitAlternates)
                    alt = n;
                out.push_back({I(key++), I(service), S(""), S(""), TValue(n), alt, TValue(user)});
            }
        }
    }
}

void AddConditionRows(TDataSet &set)
{
    std::vector<std::vector<TValue>> out;
    int64_t key = 0;
    // The program's own icons: number, description (day/night pairs share one).
    const char *catalogue[] = {"Clear-Sunny", "Clear", "Mostly Clear-Sunny", "Mostly Clear"};
    auto cat = [&](int number, const std::string &desc, const char *period, const char *alternate) {
        out.push_back({I(key++), I(255), TValue(desc), S(period), TValue(std::to_string(number)), S(alternate),
                       TValue(std::to_string(number))});
    };
    for (int i = 0; i < 4; ++i)
        cat(i, catalogue[i], i % 2 ? "n" : "d", "");
    const char *pairs[] = {"Partly Cloudy", "Mostly Cloudy", "Cloudy", "Overcast", "Rain", "Shower", "Showers",
                           "Overcast Shower(s)", "Thunderstorm", "Thunderstorms", "Rain/Ice", "Rain/Snow",
                           "Snow/Ice", "Snow-Light", "Snow", "Windy-Snow", "Windy-Rain", "Windy-Cloudy", "Windy",
                           "Fog-Mist", "Haze", "Hot"};
    int number = 4;
    for (const char *d : pairs) {
        for (int k = 0; k < 2; ++k, ++number) {
            const char *alt = number == 30 ? "30A" : number == 31 ? "31A" : number == 32 ? "32A" : "";
            cat(number, d, k ? "n" : "d", alt);
        }
    }
    const char *singles[] = {"Cold", "Dust", "Smoke", "Blizzard", "Tornado", "Hurricane", "NA"};
    for (const char *d : singles)
        cat(number++, d, "", "");

    AddConditionList(out, key, 0,
                     "0: hi_clr, skc, sunny; 1: hi_nclr, hi_nskc, nskc, sunnyn;"
                     "2: fair, few, hi_few, hi_moclr, hi_sct, hi_skc, sct; 3: hi_nfew, hi_nmoclr, nfew;"
                     "4: hi_ptcldy, pcloudy; 5: hi_nptcldy, hi_nsct, nsct, pcloudyn; 6: hi_mocldy, mcloudy;"
                     "7: hi_nmocldy, mcloudyn; 8: bkn, cloudy, hiclouds, hi_bkn;"
                     "9: cloudynight, hi_nbkn, nbkn, nhiclouds; 11: novc, ovc;"
                     "12: ra, ra1, ra2, ra4, ra10-ra100, rain; 13: nra, nra10-nra100;"
                     "16: hi_shwrs, hi_shwrs10-100, showers, shra, shra10-100; 17: hi_nshwrs, hi_nshwrs10-100;"
                     "20: tsra, tsra10-100, tstorm; 21: nsvrtsra, ntsra, ntsra10-100, tstormn;"
                     "22: hi_tsra, hi_tsra10-100, scttsra, scttsra10-100;"
                     "23: hi_ntsra, hi_ntsra10-100, nscttsra, nscttsra10-100;"
                     "24: drizzle, fdrizzle, freezingrain, fzra, fzra1, fzra10-100, fzrara, ip, ip10-100;"
                     "25: nmix, nraip, nraip10-100; 26: rainandsnow, rasn, rasn10-100; 27: nrasn, nrasn10-100;"
                     "28: mix, mix10-100, raip, raip10-100, sleet; 30A: snowshowers, snowshwrs;"
                     "32: sn, sn10-100, snow; 33: nsn, nsn10-100; 34: blowingsnow, flurries;"
                     "40: wind, wind1, wind2; 41: nwind; 42: fg, fog, mist, sctfg; 43: fogn, nbknfg, nfg;"
                     "44: hazy; 46: hot, hot1; 48: br, cold, cold1, cold2; 49: du, dust; 50: fu, smoke;"
                     "51: wswarning, wswatch, blizzard, blizzard10-100; 52: ntor, tor; 53: hurr; 54: na",
                     false);
    AddConditionList(out, key, 1,
                     "0: 01; 1: 33, 37; 2: 02; 4: 03; 5: 34; 6: 04; 7: 35; 8: 06; 9: 36; 10: 07, 08; 12: 18;"
                     "13: 40; 14: 13; 16: 12, 14; 17: 39; 20: 15; 21: 42; 22: 16, 17; 23: 41; 24: 24, 26;"
                     "26: 29; 28: 25; 30: 19; 30A: 20, 21; 31A: 43; 32: 22; 32A: 23; 33: 44; 39: 38; 40: 32;"
                     "42: 11; 46: 30; 48: 31; 54: 00, 05, 09, 10, 27, 28",
                     false);
    AddConditionList(out, key, 2,
                     "0: 32, 36; 1: 31; 2: 34; 3: 33; 4: 30; 5: 29; 6: 28; 7: 27; 8: 26; 9: 25; 16: 11, 39;"
                     "17: 45; 18: 40; 20: 0, 1, 2, 3, 17, 35; 21: 47; 22: 4, 37, 38; 24: 6, 8, 9, 10, 18;"
                     "26: 5; 28: 7; 30: 14; 32: 16, 42; 32A: 41; 33: 46; 34: 13, 15, 43; 36: 12; 40: 23;"
                     "41: 24; 42: 20; 44: 19, 21, 22; 54: 44, Na",
                     true);
    set.InsertRows(out);
}

}  // namespace

// ---------------------------------------------------------------- TData

TData::TData() : TData(ProfilePath()) {}

TData::TData(const std::string &storedSetsFolder)
{
    if (sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw TDataError("cannot open the in-memory database");
    }
    using F = TFieldType;
    region_ = std::make_unique<TDataSet>(db_, "RegionSet",
                                         std::vector<TFieldDef>{{"Key", F::AutoInc}, {"ID", F::Text, 12},
                                                                {"Name", F::Text, 64}});
    image_ = std::make_unique<TDataSet>(
        db_, "ImageSet",
        std::vector<TFieldDef>{{"Key", F::Integer}, {"Service", F::Integer}, {"Country", F::Text, 128},
                               {"Region", F::Text, 32}, {"State", F::Text, 4}, {"ID", F::Text, 12},
                               {"Name", F::Text, 32}, {"URL", F::Text, 512}});
    option_ = std::make_unique<TDataSet>(db_, "OptionSet",
                                         std::vector<TFieldDef>{{"Key", F::Text, 20}, {"Service", F::Integer},
                                                                {"Filter", F::Integer}, {"Location", F::Integer},
                                                                {"ID", F::Text, 12}});
    filter_ = std::make_unique<TDataSet>(
        db_, "FilterSet",
        std::vector<TFieldDef>{{"Key", F::Integer}, {"Service", F::Integer}, {"Gobal", F::Text, 32},
                               {"Country", F::Text, 128}, {"Region", F::Text, 48}, {"State", F::Text, 4},
                               {"Name", F::Text, 32}, {"Filter", F::Text, 64}},
        true);
    location_ = std::make_unique<TDataSet>(
        db_, "LocationSet",
        std::vector<TFieldDef>{{"Key", F::AutoInc}, {"Name", F::Text, 48}, {"City", F::Text, 32},
                               {"County", F::Text, 32}, {"State", F::Text, 32}, {"Country", F::Text, 48},
                               {"Code", F::Text, 48}, {"Lat", F::Text, 16}, {"Lon", F::Text, 16},
                               {"Service", F::Integer}});
    condition_ = std::make_unique<TDataSet>(
        db_, "ConditionSet",
        std::vector<TFieldDef>{{"Key", F::Integer}, {"Service", F::Integer}, {"Description", F::Text, 64},
                               {"Period", F::Text, 8}, {"Icon", F::Text, 128}, {"Alternate", F::Text, 128},
                               {"UserIcon", F::Text, 128}});
    resource_ = std::make_unique<TDataSet>(
        db_, "ResourceSet",
        std::vector<TFieldDef>{{"Key", F::AutoInc}, {"Name", F::Text, 56}, {"ID", F::Integer}});
    station_ = std::make_unique<TDataSet>(
        db_, "Station",
        std::vector<TFieldDef>{{"Key", F::AutoInc}, {"ID", F::Text, 8}, {"State", F::Text, 4},
                               {"Zone", F::Text, 4}, {"Name", F::Text, 128}, {"City", F::Text, 128},
                               {"County", F::Text, 48}, {"ZipCode", F::Text, 8}, {"Latitude", F::Float},
                               {"Longitude", F::Float}, {"FIPS", F::Text, 8}, {"CWA", F::Text, 8},
                               {"Distance", F::Float}});
    zone_ = std::make_unique<TDataSet>(
        db_, "Zone",
        std::vector<TFieldDef>{{"STATE", F::Text, 2}, {"ZONE", F::Text, 3}, {"CWA", F::Text, 3},
                               {"COUNTYNAME", F::Text, 24}, {"FIPS", F::Text, 5}, {"LATITUDE", F::Float},
                               {"LONGITUDE", F::Float}, {"DISTANCE", F::Float}});

    region_->Exec("CREATE INDEX StationLat ON Station(Latitude, Longitude)");
    region_->Exec("CREATE INDEX StationDist ON Station(Distance, State)");
    region_->Exec("CREATE INDEX ZoneLat ON Zone(LATITUDE, LONGITUDE)");

    AddRegionRows(*region_);
    AddImageRows(*image_);
    AddOptionRows(*option_);
    AddFilterRows(*filter_);
    AddConditionRows(*condition_);

    region_->SetIndexFieldNames("Key");
    image_->SetIndexFieldNames("Key");
    option_->SetIndexFieldNames("Key");
    filter_->SetIndexFieldNames("Service;Key");
    filter_->SetMaster(option_.get(), "Service", "Service");
    location_->SetMaster(option_.get(), "Service", "Service");
    condition_->SetMaster(option_.get(), "Key", "Service");
    station_->SetIndexFieldNames("Distance;State");
    zone_->SetIndexFieldNames("Distance");
    for (TDataSet *geo : {station_.get(), zone_.get()}) {
        geo->SetOnFilterRecord([this](TDataSet &s, bool &accept) { GEOFilter(s, accept); },
                               [this, geo] { return GeoFilterSql(*geo); });
        geo->SetActive(false);  // until their files are loaded
    }

    if (!storedSetsFolder.empty())
        LoadStoredSets(storedSetsFolder);
}

TData::~TData()
{
    // Edits write through to the table; an unfinished one is kept, not dropped.
    try {
        if (option_ && option_->State() != TDataSet::TState::Browse)
            option_->Post();
    } catch (...) {
    }
    station_.reset();
    zone_.reset();
    region_.reset();
    image_.reset();
    option_.reset();
    filter_.reset();
    location_.reset();
    condition_.reset();
    resource_.reset();
    sqlite3_close(db_);
    if (Data == this)
        Data = nullptr;
}

std::vector<TDataSet *> TData::Sets()
{
    return {region_.get(), image_.get(), option_.get(), filter_.get(), location_.get(),
            condition_.get(), resource_.get(), station_.get(), zone_.get()};
}

TDataSet *TData::FindSet(const std::string &name)
{
    for (TDataSet *s : Sets())
        if (SameText(s->Name(), name))
            return s;
    return nullptr;
}

void TData::LoadStoredSets(const std::string &folder)
{
    std::string dir = folder;
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    for (TDataSet *s : Sets()) {
        std::string path = dir + s->Name() + ".wxd";
        if (!FileExists(path))
            continue;
        try {
            s->LoadFromFile(path);
        } catch (const std::exception &) {
            // a damaged file leaves the shipped rows in place
        }
    }
}

void TData::LoadResourceRows(const std::vector<TResourceRecord> &rows)
{
    std::vector<std::vector<TValue>> out;
    out.reserve(rows.size());
    for (const TResourceRecord &r : rows)
        out.push_back({N, TValue(r.Name), TValue(r.ID)});
    resource_->Cancel();
    resource_->Exec("SAVEPOINT resources");
    try {
        resource_->EmptyTable();
        resource_->InsertRows(out);
    } catch (...) {
        resource_->Exec("ROLLBACK TO resources");
        resource_->Exec("RELEASE resources");
        resource_->Refresh();
        throw;
    }
    resource_->Exec("RELEASE resources");
    resource_->Refresh();
}

void TData::SetCentre(double latitude, double longitude)
{
    if (latitude != CentreLat || longitude != CentreLon) {
        CentreLat = latitude;
        CentreLon = longitude;
        RecomputeBox();
    }
}

void TData::RecomputeBox()
{
    TGeoBox b = GeoBox(CentreLat, CentreLon, Radius, false);
    MinLat = b.MinLat;
    MinLon = b.MinLon;
    MaxLat = b.MaxLat;
    MaxLon = b.MaxLon;
    // The filtered station and zone views follow the new box.
    for (TDataSet *s : {station_.get(), zone_.get()})
        if (s && s->Filtered())
            s->Invalidate();
}

void TData::ComputeDistances(TDataSet &set, const std::string &distanceField)
{
    if (!set.Active())
        return;
    set.Cancel();
    const std::string lat = set.Fields()[set.FieldIndex("Latitude")].Name;
    const std::string lon = set.Fields()[set.FieldIndex("Longitude")].Name;
    set.Exec("SAVEPOINT distances");
    try {
        set.Last();
        for (int i = set.RecordCount() - 1; i >= 0; --i) {
            set.MoveTo(i);
            set.Edit();
            if (set.IsNull(lat) || set.IsNull(lon))
                set.SetValue(distanceField, TValue{});
            else
                set.SetValue(distanceField,
                             GeoDistance(false, set.AsFloat(lat), set.AsFloat(lon), CentreLat, CentreLon));
            set.Post();
        }
    } catch (...) {
        set.Cancel();
        set.Exec("ROLLBACK TO distances");
        set.Exec("RELEASE distances");
        set.Refresh();
        throw;
    }
    set.Exec("RELEASE distances");
    // Visiting order follows the new distances.
    set.SortRows();
    set.First();
}

void TData::ComputeStationDistances() { ComputeDistances(*station_, "Distance"); }
void TData::ComputeZoneDistances() { ComputeDistances(*zone_, "DISTANCE"); }

void TData::GEOFilter(TDataSet &set, bool &accept) const
{
    if (!set.Filter().empty())
        return;
    if (set.FieldIndex("Latitude") < 0 || set.FieldIndex("Longitude") < 0 || set.IsNull("Latitude") ||
        set.IsNull("Longitude")) {
        accept = false;
        return;
    }
    double lat = set.AsFloat("Latitude"), lon = set.AsFloat("Longitude");
    accept = MinLat <= lat && lat <= MaxLat && MinLon <= lon && lon <= MaxLon;
}

std::string TData::GeoFilterSql(const TDataSet &set) const
{
    int la = set.FieldIndex("Latitude"), lo = set.FieldIndex("Longitude");
    if (!set.Filter().empty() || la < 0 || lo < 0)
        return {};
    std::string lat = Quote(set.Fields()[la].Name), lon = Quote(set.Fields()[lo].Name);
    return lat + " >= " + SqlNumber(MinLat) + " AND " + lat + " <= " + SqlNumber(MaxLat) + " AND " + lon +
           " >= " + SqlNumber(MinLon) + " AND " + lon + " <= " + SqlNumber(MaxLon);
}
