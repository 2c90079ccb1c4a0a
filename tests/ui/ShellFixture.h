#pragma once

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "ui/shell/BackgroundMusic.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace vorlane::test {

// A sound output that only remembers what it was asked to do.
struct FakeMusicOutput : ui::MusicOutput
{
    bool device = true;
    bool playable = true;
    QStringList played;
    int stops = 0;
    bool hasDevice() override { return device; }
    bool play(const QString &file) override
    {
        played.append(file);
        return playable;
    }
    void stop() override { ++stops; }
};

inline ui::ModalRunner quietRunner()
{
    ui::ModalRunner runner;
    runner.setDriver([](QDialog &) {});
    return runner;
}

// Everything a shell window needs, on a fresh empty bank in a temporary folder.
class ShellFixture
{
public:
    ShellFixture()
        : clock(QDateTime(QDate(2026, 12, 10), QTime(9, 0)))
    {
        const QString path = dir.filePath(QStringLiteral("bank.db"));
        if (createEmptyBank(path))
            if (auto opened = Database::open(path, bank::password()))
                db = opened.value();
        const QString appDir
            = qEnvironmentVariable("VORLANE_TEST_APPDIR", QCoreApplication::applicationDirPath());
        state.appDir = QDir(appDir).absolutePath() + QLatin1Char('/');
        state.examSubject = 1;
        auto output = std::make_unique<FakeMusicOutput>();
        fakeOutput = output.get();
        music = std::make_unique<ui::BackgroundMusic>(prompt, std::move(output));
        context = std::make_unique<ui::UiContext>(
            ui::UiContext { state, *db, clock, prompt, progress, modal, music.get() });
    }

    bool ok() const { return db != nullptr; }
    void exec(const QString &sql, const QVariantList &values = {}) { db->exec(sql, values); }
    QVariant scalar(const QString &sql, const QVariantList &values = {}) { return db->scalar(sql, values); }

    QTemporaryDir dir;
    std::shared_ptr<Database> db;
    AppState state;
    FixedClock clock;
    // Nothing waits on a modal loop: an undriven child window is shown and hidden at once.
    ui::ModalRunner modal = quietRunner();
    ui::PromptDialog prompt { modal };
    ui::ProgressWindow progress;
    FakeMusicOutput *fakeOutput = nullptr;
    std::unique_ptr<ui::BackgroundMusic> music;
    std::unique_ptr<ui::UiContext> context;
};

} // namespace vorlane::test
