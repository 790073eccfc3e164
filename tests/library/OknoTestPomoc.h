#pragma once
// Runs a step inside a modal window's own loop, as an operator would act on
// it: the step starts from a zero timer once the window is shown. A window
// still open after 5 s is a failure and is closed, so nothing hangs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

#include <functional>

// As for the foundation's windows: Qt paints with worker threads of its own
// that ThreadSanitizer cannot see into, so shown windows are not tested there.
#if defined(__SANITIZE_THREAD__)
#define BEZ_TSAN() GTEST_SKIP() << "a shown window under ThreadSanitizer"
#else
#define BEZ_TSAN() (void)0
#endif

// `otworz` shows the window modally and returns when it closes; `krok` runs
// with the modal window (of type W) while it is shown.
template <class W>
void WModalnym(const std::function<void()>& otworz, const std::function<void(W&)>& krok) {
    QTimer bezpiecznik;
    bezpiecznik.setSingleShot(true);
    QObject::connect(&bezpiecznik, &QTimer::timeout, [] {
        ADD_FAILURE() << "the window did not close";
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    bezpiecznik.start(5000);
    bool byl = false;
    // A window that reads a folder or a file serves events before it is
    // shown: the step waits for it. The context ends what is still queued.
    QObject kontekst;
    std::function<void()> probuj = [&] {
        auto* okno = dynamic_cast<W*>(QApplication::activeModalWidget());
        if (!okno) {
            QTimer::singleShot(0, &kontekst, probuj);
            return;
        }
        byl = true;
        krok(*okno);
    };
    QTimer::singleShot(0, &kontekst, probuj);
    otworz();
    EXPECT_TRUE(byl) << "the window was not shown";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Pictures of the windows go beside the test program unless a folder is named.
inline QString FolderArtefaktow() {
    const QByteArray env = qgetenv("TOLVANE_ARTIFACTS");
    const QString folder = env.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts")
                                         : QString::fromLocal8Bit(env);
    QDir().mkpath(folder);
    return folder;
}
