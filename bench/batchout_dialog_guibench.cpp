// SPDX-License-Identifier: MIT
// A batch output run through the real dialog (menu item, "･･･" fields, the run button), timed from the
// click to the end of the run, for bench/export_bench.sh to set against `ramblenote --export`.
//
//   batchout_dialog_guibench DOCDIR SETTINGS OUTPUT TOCFILE [RUNS]
//
// DOCDIR holds bench.Rnote and serves as the program directory; SETTINGS is copied into it as
// BTxtOut.Ini. Before each run both files are emptied (the dialog appends). Prints "open NS" (menu
// item to dialog shown, best) and "run NS" (best of RUNS, default 5) on stdout. Runs offscreen unless
// QT_QPA_PLATFORM names another platform.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/storage/files.h"
#include "gui/batchout/batch_output_dialog.h"
#include "gui_bench.h"
#include "quiet_prompts.h"

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: batchout_dialog_guibench DOCDIR SETTINGS OUTPUT TOCFILE [RUNS]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string dir = argv[1], output = argv[3], toc = argv[4];
    const int runs = argc > 5 ? std::max(1, std::atoi(argv[5])) : 5;
    std::filesystem::copy_file(argv[2], dir + "/BTxtOut.Ini", std::filesystem::copy_options::overwrite_existing);

    rn::bench::QuietPrompts prompts(true);
    int status = 0;
    {
        std::unique_ptr<rn::gui::MainWindow> owned = rn::bench::OpenBenchWindow(dir, prompts);
        rn::gui::MainWindow& window = *owned;
        qint64 bestOpen = -1, bestRun = -1;
        QElapsedTimer clock;
        for (int i = 0; i < runs; ++i) {
            QTimer::singleShot(0, &window, [&] {
                const qint64 opened = clock.nsecsElapsed();
                if (bestOpen < 0 || opened < bestOpen) bestOpen = opened;
                auto* d = window.findChild<rn::gui::BatchOutputDialog*>(QStringLiteral("BTxtOutF"));
                d->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QString::fromStdString(output));
                d->findChild<QCheckBox*>(QStringLiteral("CheckBox3"))->setChecked(true);
                d->findChild<QLineEdit*>(QStringLiteral("Edit5"))->setText(QString::fromStdString(toc));
                for (const std::string& path : {output, toc})
                    rn::WriteFileReplacing(path, "");
                clock.start();
                d->findChild<QPushButton*>(QStringLiteral("Edit"))->click();
                const qint64 ran = clock.nsecsElapsed();
                if (bestRun < 0 || ran < bestRun) bestRun = ran;
                if (d->statusText() != QStringLiteral("一括出力 終了") || !prompts.errors.isEmpty()) status = 1;
                d->reject();
            });
            clock.start();
            window.findChild<QAction*>(QStringLiteral("MenuToolBO"))->trigger();
        }
        std::printf("open %lld\nrun %lld\n", static_cast<long long>(bestOpen), static_cast<long long>(bestRun));
        if (status != 0) std::fprintf(stderr, "the run did not finish: %s\n", qPrintable(prompts.errors.join('\n')));
    }
    return status;
}
