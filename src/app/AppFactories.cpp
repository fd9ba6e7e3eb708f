#include "app/AppFactories.h"

#include "dialogs/Progress.h"
#include "dialogs/Splash.h"
#include "mainwindow/Unit01.h"
#include "platform/Paths.h"
#include "service/DataMod.h"

// One line per part: f.CreateX = [](...) { return new TX(...); };
void InstallAppFactories(TAppFactories &f) {
    f.CreateSplash = [] { return new TSplashScreen; };
    f.CreateDataModule = [] {
        auto *data = new TData(ProfilePath());
        Data = data;
        return std::shared_ptr<void>(data, [](void *p) {
            if (Data == p) Data = nullptr;
            delete static_cast<TData *>(p);
        });
    };
    f.CreateProgressWindow = [](TWxForm &main) {
        auto *dlg = new TProgressDlg;
        main.SetProgressWindow(dlg);
        return dlg;
    };
}
