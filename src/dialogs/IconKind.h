#pragma once
// Icon kinds of the pop-up window and the balloon hints; they pick both the
// picture and the sound. Image lists are indexed by kind - ikApplication.
enum TIconKind {
    ikCustom,       // the caller's own picture
    ikNone,
    ikApplication,
    ikError,
    ikInformation,
    ikQuestion,
    ikWarning
};

// Index into an icon image list, or -1 for kinds that have none.
constexpr int IconListIndex(TIconKind kind) {
    return kind >= ikApplication && kind <= ikWarning ? int(kind) - int(ikApplication) : -1;
}
