#include "app/AppFactories.h"

// One line per part: f.CreateX = [](...) { return new TX(...); };
void InstallAppFactories(TAppFactories &f) {
    (void)f;
}
