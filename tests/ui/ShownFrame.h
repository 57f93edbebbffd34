#pragma once

#include "UiFixture.h"
#include "ui/CMainFrame.h"

#include <memory>

// The main window over a fixture's data root, made and shown (1100 x 700) when the
// application starts, the last list shown as at a real start. The test calls InitInstance
// once its own files are written. The window goes before the application it refers to.
struct ShownFrame
{
    std::unique_ptr<CMainFrame> frame;
    UiFixture::App fixture;

    explicit ShownFrame(const NotesList& notes)
        : fixture(Hooks(), notes)
    {
    }
    ~ShownFrame() { frame.reset(); }

private:
    StartupHooks Hooks()
    {
        StartupHooks hooks;
        hooks.createWindows = [this] {
            frame = std::make_unique<CMainFrame>(*fixture.app, fixture.prompt);
            frame->resize(1100, 700);
            frame->show();
        };
        hooks.showLastList = [this] { frame->ShowLastList(); };
        return hooks;
    }
};
