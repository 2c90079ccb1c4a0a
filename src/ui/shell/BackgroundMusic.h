#pragma once

#include <QString>

#include <memory>

namespace vorlane::ui {

class PromptDialog;

// Where the tunes are played. The program uses FluidSynth; window tests put a fake in its place.
class MusicOutput
{
public:
    virtual ~MusicOutput() = default;
    // Whether a sound output can be opened at all.
    virtual bool hasDevice() = 0;
    // Starts the tune, which plays once; false when it cannot be played.
    virtual bool play(const QString &file) = 0;
    virtual void stop() = 0;
};

// FluidSynth with the General MIDI soundfont, sounding through PulseAudio or else ALSA.
std::unique_ptr<MusicOutput> makeFluidSynthOutput(const QString &soundFont = QString());

// The background music of the main window, switched by the system settings.
class BackgroundMusic
{
public:
    BackgroundMusic(PromptDialog &prompt, std::unique_ptr<MusicOutput> output);
    ~BackgroundMusic();

    // on = 1 starts the tune in file (stopping any other), on = 0 stops the music. Failures are
    // told to the user and leave the music stopped.
    void playBackgroundMusic(const QString &file, int on);

    MusicOutput &output() { return *m_output; }

private:
    PromptDialog &m_prompt;
    std::unique_ptr<MusicOutput> m_output;
};

} // namespace vorlane::ui
