#include "app/ui/startup.h"

#include "app/ui/canvas_wiring.h"
#include "app/ui/editing_wiring.h"
#include "app/ui/layout_wiring.h"
#include "app/ui/taboutbox.h"
#include "app/ui/tslektstre.h"
#include "app/ui/twelcome.h"
#include "gedcom/ui/gedcom_import_dialog.h"
#include "gedcom/ui/tkl_options.h"

namespace kinloom {

KinloomWindows::~KinloomWindows() = default;

std::unique_ptr<KinloomWindows> CreateWindows(Registry& registry, Prompts& prompts, const QString& programPath,
                                              const QStringList& arguments) {
    auto w = std::make_unique<KinloomWindows>();
    w->main = std::make_unique<TSlektstre>(registry, prompts, programPath, arguments);
    TSlektstre* main = w->main.get();
    CanvasWidget* canvas = InstallCanvas(*main);
    InstallEditing(*main, *canvas);
    w->welcome = std::make_unique<Twelcome>();
    w->about = new TAboutBox(main);
    w->options = new Tkl_options(main->state(), main);
    AppState& state = main->state();
    w->gedcomImport = new TGedcomImport(state.Store, state.View, [&state] { return state.WindowOuterSize(); },
                                        state.prompts, main);

    main->setWelcome(w->welcome.get());
    main->setAboutBox(w->about);
    main->setOptionsDialog(w->options);
    main->setGedcomImportDialog(w->gedcomImport);
    QObject::connect(w->welcome.get(), &Twelcome::confirmed, main, &TSlektstre::CompleteStartup);
    QObject::connect(w->options, &Tkl_options::treeFontRequested, main, &TSlektstre::ScreenFont1Click);
    ConnectLayoutCommands(*main);
    return w;
}

void StartUp(KinloomWindows& windows, bool showWelcome) {
    windows.main->showMaximized();
    if (!showWelcome) {
        windows.main->CompleteStartup();
        return;
    }
    windows.welcome->show();
    windows.welcome->raise();
    windows.welcome->activateWindow();
}

}  // namespace kinloom
