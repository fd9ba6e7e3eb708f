#pragma once
// The creation points of the windows and modules that start-up makes, in its
// order: splash, data module, main window, progress window, imagery options.
// Each part installs its constructor in InstallAppFactories (AppFactories.cpp);
// an empty hook means the part does not exist yet and is skipped.
#include <functional>
#include <memory>

class QWidget;
class TWxForm;

struct TAppFactories {
    // Shown before anything else is made; closed by the main window later.
    std::function<QWidget *()> CreateSplash;
    // The data module: owned by start-up, alive until the message loop ends.
    // It must exist before the main window, which reads its tables.
    std::function<std::shared_ptr<void>()> CreateDataModule;
    std::function<QWidget *(TWxForm &main)> CreateProgressWindow;
    std::function<QWidget *(TWxForm &main)> CreateImageryOptions;
};

// Fills the hooks of the parts that exist.
void InstallAppFactories(TAppFactories &f);
