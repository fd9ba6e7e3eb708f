#pragma once
// The 42 program-wide message texts. Each starts as its English default and
// takes the applied language's text; nothing puts the English text back.
#include <span>
#include <string>

class TLanguageTable;

enum class TStrKey {
    WxForm, BTN_YES, BTN_NO, BTN_NO_THANK, glSettings, FCC_HINT_HDR, CLICK_HINT_HDR, HINT_METHOD,
    SERVER_CON_DETAIL, SERVER_SUCCESS, SERVER_NO_CON, SERVER_NO_RESPONSE, SERVER_NO_DETAIL, DATA_METHOD,
    SERVICE_METHOD, VERSION_UPDATE, VERSION_NEW, VERSION_NEW_DETAIL, UPDATE_ERR, UPDATE_NOT, UPDATE_NOT_DETAIL,
    UPDATE_NOT_NONE, EXECUTE_ERR, EXECUTE_ERR_EXIST, MINIMIZE_MSG, MINIMIZE_MSG_QUERY, FEATURE_SOON,
    PRINT_PREVIEW, PRINT_NONE, PRINT_NOT, SETUP_CAPTION, SETUP_LOCATION, SETUP_LOCATIONS, SETUP_LANGUAGE,
    SETUP_IMAGE, SETUP_IMAGE_QUERY, SETUP_COUNTY, SETUP_COUNTY_NWS, SETUP_LANG, SETUP_LANG_QUERY,
    SETUP_SITE_DELETE, SETUP_SITE_QUERY,
    Count
};

struct TStringKeyDef {
    const char *Key;
    int ID;
    const char *Default;
};

// The keys in table order, with identifiers and English defaults.
std::span<const TStringKeyDef> StringKeyTable();

// The key's current text.
const std::string &StrKey(TStrKey key);
// By key name ("BTN_YES"); empty for a name that is no key.
std::string StrKey(const std::string &name);

// Takes each key's value from the language table; only a table of more than
// 24 lines counts, and an empty value keeps the key's current text.
void LoadStringKeys(const TLanguageTable &table);
// Back to the English defaults (program start; tests).
void ResetStringKeys();
