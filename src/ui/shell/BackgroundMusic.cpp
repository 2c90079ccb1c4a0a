#include "ui/shell/BackgroundMusic.h"

#include "ui/shell/PromptDialog.h"

#include <QFile>
#include <QObject>

#include <fluidsynth.h>

namespace vorlane::ui {

namespace {

constexpr char DefaultSoundFont[] = "/usr/share/sounds/sf2/TimGM6mb.sf2";

class FluidSynthOutput final : public MusicOutput
{
public:
    explicit FluidSynthOutput(QString soundFont)
        : m_soundFont(soundFont.isEmpty() ? QString::fromLatin1(DefaultSoundFont) : std::move(soundFont))
    {
    }

    ~FluidSynthOutput() override
    {
        stop();
        if (m_driver)
            delete_fluid_audio_driver(m_driver);
        if (m_synth)
            delete_fluid_synth(m_synth);
        if (m_settings)
            delete_fluid_settings(m_settings);
    }

    bool hasDevice() override { return openDriver(); }

    bool play(const QString &file) override
    {
        stop();
        if (!openDriver())
            return false;
        const QByteArray path = QFile::encodeName(file);
        if (!QFile::exists(file) || !fluid_is_midifile(path.constData()))
            return false;
        if (m_fontId == FLUID_FAILED) {
            m_fontId = fluid_synth_sfload(m_synth, QFile::encodeName(m_soundFont).constData(), 1);
            if (m_fontId == FLUID_FAILED)
                return false;
        }
        m_player = new_fluid_player(m_synth);
        if (!m_player)
            return false;
        fluid_player_set_loop(m_player, 1); // once, never repeated
        if (fluid_player_add(m_player, path.constData()) != FLUID_OK
            || fluid_player_play(m_player) != FLUID_OK) {
            stop();
            return false;
        }
        return true;
    }

    void stop() override
    {
        if (m_player) {
            fluid_player_stop(m_player);
            delete_fluid_player(m_player);
            m_player = nullptr;
        }
        if (m_synth)
            fluid_synth_all_sounds_off(m_synth, -1);
    }

private:
    bool openDriver()
    {
        if (m_driver)
            return true;
        // FluidSynth would otherwise talk about every driver it tries on the terminal.
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, nullptr, nullptr);
        if (!m_settings) {
            m_settings = new_fluid_settings();
            if (!m_settings)
                return false;
            fluid_settings_setint(m_settings, "synth.reverb.active", 1);
            m_synth = new_fluid_synth(m_settings);
            if (!m_synth)
                return false;
        }
        for (const char *driver : { "pulseaudio", "alsa" }) {
            fluid_settings_setstr(m_settings, "audio.driver", driver);
            m_driver = new_fluid_audio_driver(m_settings, m_synth);
            if (m_driver)
                return true;
        }
        return false;
    }

    QString m_soundFont;
    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_synth = nullptr;
    fluid_audio_driver_t *m_driver = nullptr;
    fluid_player_t *m_player = nullptr;
    int m_fontId = FLUID_FAILED;
};

} // namespace

std::unique_ptr<MusicOutput> makeFluidSynthOutput(const QString &soundFont)
{
    return std::make_unique<FluidSynthOutput>(soundFont);
}

BackgroundMusic::BackgroundMusic(PromptDialog &prompt, std::unique_ptr<MusicOutput> output)
    : m_prompt(prompt)
    , m_output(std::move(output))
{
}

BackgroundMusic::~BackgroundMusic() = default;

void BackgroundMusic::playBackgroundMusic(const QString &file, int on)
{
    if (!m_output->hasDevice()) {
        m_prompt.ask(QObject::tr("提示"), QObject::tr("没发现声卡！"), PromptDialog::Single,
            PromptDialog::Warning, QStringLiteral("NO"));
        return;
    }
    m_output->stop();
    if (on == 1 && !m_output->play(file)) {
        m_output->stop();
        m_prompt.ask(QObject::tr("提示"), QObject::tr("无法播放背景音乐！"), PromptDialog::Single,
            PromptDialog::Warning, QStringLiteral("NO"));
    }
}

} // namespace vorlane::ui
