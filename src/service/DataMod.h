#pragma once
// The data module: the program's shared tables (image sets, filters, options,
// regions, locations, condition icons, language resources, NWS stations and
// zones) on one in-memory SQLite database, a small cursor over each table,
// and the geographic box that narrows the station and zone tables.
//
// Table files (".wxd" in the profile folder, "Station.dat"/"Zone.dat" beside
// the program) are UTF-8 text in a format of our own:
//
//   line 1   TOLVU-TABLE 1
//   line 2   column names separated by TAB
//   then     one row per line, cells separated by TAB, in header order
//
// Inside a cell "\t", "\n", "\r" and "\\" stand for TAB, line feed, carriage
// return and backslash; a cell that is exactly "\N" is null; an empty cell is
// empty text (null in a number column). Header names are matched to the
// table's columns ignoring case; unknown columns are skipped, missing ones are
// null. A file that fails to load leaves the table as it was.
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;

using TValue = std::variant<std::monostate, int64_t, double, std::string>;

enum class TFieldType { AutoInc, Integer, Float, Text };

struct TFieldDef {
    std::string Name;
    TFieldType Type;
    int Size = 0;  // text columns: longer values are cut to this many bytes
};

class TDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text form of a number the way the program shows it (shortest that reads back,
// at most 15 significant digits: 69.1, 12.34, 0).
std::string FloatToText(double value);

// One table with a cursor. Records are read lazily: a change of filter, index
// or master record is applied at the next access.
class TDataSet {
public:
    using TFilterRecordEvent = std::function<void(TDataSet &, bool &accept)>;
    enum class TState { Inactive, Browse, Edit, Insert };

    TDataSet(sqlite3 *db, std::string name, std::vector<TFieldDef> fields, bool textCaseInsensitive = false);
    ~TDataSet();
    TDataSet(const TDataSet &) = delete;
    TDataSet &operator=(const TDataSet &) = delete;

    const std::string &Name() const { return name_; }
    const std::vector<TFieldDef> &Fields() const { return fields_; }
    int FieldIndex(const std::string &name) const;  // ignoring case; -1 when missing

    // An inactive set shows no records (the station tables until loaded).
    bool Active() const { return active_; }
    void SetActive(bool active);
    TState State() const;

    // "Distance;State": the order records are visited in.
    void SetIndexFieldNames(const std::string &names);
    const std::string &IndexFieldNames() const { return index_; }

    // The filter text is an SQL WHERE clause over the table's columns
    // ("Service=0 and Region='Local'"). It and the record-filter event apply
    // only while Filtered is on. A clause that does not compile throws
    // TDataError at the next access; only a single expression is accepted.
    void SetFilter(const std::string &where);
    const std::string &Filter() const { return filter_; }
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }
    // sqlHint, when given, returns a WHERE clause that lets through at least
    // every record the event accepts; it keeps big tables fast.
    void SetOnFilterRecord(TFilterRecordEvent event, std::function<std::string()> sqlHint = {});

    // Detail of another set: only records whose detailField equals the
    // master's current masterField value are visible. nullptr detaches.
    void SetMaster(TDataSet *master, const std::string &masterField, const std::string &detailField);

    // Navigation. RecNo is 0-based, -1 when there is no record.
    int RecordCount();
    bool Eof();
    bool Bof();
    int RecNo();
    void First();
    void Last();
    void Next();
    void Prior();
    void MoveTo(int recNo);
    bool Locate(const std::string &field, const TValue &value, bool ignoreCase = false);
    // Re-reads the records (new order after edits); stays on the same record when it is still visible.
    void Refresh();
    // Marks the records stale; they are re-read at the next access.
    void Invalidate() { dirty_ = true; }

    // Current record (the edit buffer while editing). Unknown field: TDataError.
    TValue Value(const std::string &field);
    bool IsNull(const std::string &field);
    std::string AsString(const std::string &field);
    double AsFloat(const std::string &field);
    int64_t AsInteger(const std::string &field);
    bool HasRecord();

    // Editing: Edit or Append, SetValue, then Post (writes the table) or Cancel.
    void Edit();
    void Append();
    void SetValue(const std::string &field, const TValue &value);
    void Post();
    void Cancel();
    void Delete();

    // Whole-table operations; rows are in field order.
    void EmptyTable();
    void InsertRows(const std::vector<std::vector<TValue>> &rows);
    // Loads the table file (format above), replacing every row, and activates
    // the set. Throws TDataError and keeps the old rows on any failure.
    void LoadFromFile(const std::string &path);
    void SaveToFile(const std::string &path);

private:
    friend class TData;
    struct TRow {
        int64_t rowid = 0;
        std::vector<TValue> v;
    };
    void EnsureFresh();
    void Requery();
    void RequireRecord();
    const std::vector<TValue> &CurrentValues();
    int RequireField(const std::string &field) const;
    TValue Coerce(int field, const TValue &value) const;
    void Exec(const std::string &sql);
    TValue MasterValue();

    sqlite3 *db_;
    std::string name_;
    std::vector<TFieldDef> fields_;
    bool active_ = true;
    std::string index_;
    std::string filter_;
    bool filtered_ = false;
    TFilterRecordEvent onFilter_;
    std::function<std::string()> filterHint_;
    TDataSet *master_ = nullptr;
    std::string masterField_, detailField_;
    TValue masterSeen_;

    bool dirty_ = true;
    std::vector<TRow> rows_;
    int cur_ = -1;
    bool eof_ = true, bof_ = true;
    TState editState_ = TState::Browse;
    std::vector<TValue> buffer_;
    const std::vector<TValue> *filterRow_ = nullptr;  // record shown to the filter event
    std::vector<std::pair<uint64_t, struct sqlite3_stmt *>> updates_;  // by changed-column mask
    bool textNoCase_ = false;
    void SortRows();
};

// Kept apart from the language map's row type, whose name field is a plain pointer.
struct TResourceRecord {
    std::string Name;
    int64_t ID = 0;
};

struct TGeoBox {
    double MinLat, MinLon, MaxLat, MaxLon;
};

// Equirectangular distance in miles (or kilometres), rounded to 2 decimals, halves to even.
double GeoDistance(bool kilometres, double lat1, double lon1, double lat2, double lon2);
// Square box of the given radius (miles, or kilometres) around a centre.
TGeoBox GeoBox(double lat, double lon, double radius, bool kilometres);

class TData {
public:
    // Builds every set with its shipped rows, then loads the stored sets from
    // storedSetsFolder (the profile folder; empty skips it).
    explicit TData(const std::string &storedSetsFolder);
    TData();
    ~TData();
    TData(const TData &) = delete;
    TData &operator=(const TData &) = delete;

    TDataSet &RegionSet() { return *region_; }
    TDataSet &ImageSet() { return *image_; }
    TDataSet &OptionSet() { return *option_; }
    TDataSet &FilterSet() { return *filter_; }
    TDataSet &LocationSet() { return *location_; }
    TDataSet &ConditionSet() { return *condition_; }
    TDataSet &ResourceSet() { return *resource_; }
    TDataSet &Station() { return *station_; }
    TDataSet &Zone() { return *zone_; }
    std::vector<TDataSet *> Sets();
    TDataSet *FindSet(const std::string &name);  // ignoring case

    // Replaces each set by folder + set name + ".wxd" when that file exists;
    // a file that fails to load is ignored.
    void LoadStoredSets(const std::string &folder);
    // The language resource map; replaces ResourceSet's rows.
    void LoadResourceRows(const std::vector<TResourceRecord> &rows);

    // Geographic state; the box starts as the whole world.
    double MinLon = -180, MinLat = -90, MaxLon = 180, MaxLat = 90;
    double CentreLat = 0, CentreLon = 0;
    int32_t Radius = 32;  // miles

    void SetCentre(double latitude, double longitude);
    void RecomputeBox();
    void ComputeStationDistances();
    void ComputeZoneDistances();
    // Record filter of Station and Zone: inside the box, coordinates present.
    void GEOFilter(TDataSet &set, bool &accept) const;
    // The box as an SQL clause over the set's latitude/longitude columns.
    std::string GeoFilterSql(const TDataSet &set) const;

    sqlite3 *Db() const { return db_; }

private:
    void ComputeDistances(TDataSet &set, const std::string &distanceField);
    sqlite3 *db_ = nullptr;
    std::unique_ptr<TDataSet> region_, image_, option_, filter_, location_, condition_, resource_, station_, zone_;
};

// The one data module of the running program; nullptr until start-up creates it.
extern TData *Data;
