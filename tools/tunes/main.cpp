// Writes the six background tunes sound/乐曲01.mid .. 乐曲06.mid from public-domain melodies.
// Usage: vorlane_tunes OUTPUT_DIR
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

constexpr int TicksPerBeat = 480;

struct Event
{
    int tick;
    int order; // note-offs before note-ons at the same tick
    QByteArray bytes;
};

struct Voice
{
    int channel;
    int program;
    int velocity;
    int startBeatTimes2; // entry delay in half beats (for rounds)
    const char *notes; // "e4:1 d#4:.5 r:2"; a duration without ":" is one beat
};

struct Tune
{
    int beatsPerMinute;
    std::vector<Voice> voices;
};

// "c4" is middle C (60); "#" raises and "b" after the letter lowers a semitone.
int noteNumber(const QString &name)
{
    static const int offsets[] = { 9, 11, 0, 2, 4, 5, 7 }; // a b c d e f g
    const int letter = name.at(0).toLower().unicode() - 'a';
    int semitone = offsets[letter];
    int at = 1;
    if (name.at(at) == QLatin1Char('#'))
        ++semitone, ++at;
    else if (name.at(at) == QLatin1Char('b'))
        --semitone, ++at;
    const int octave = name.mid(at).toInt();
    return (octave + 1) * 12 + semitone;
}

void addVoice(std::vector<Event> &events, const Voice &voice)
{
    const char status = char(0xC0 | voice.channel);
    events.push_back({ 0, 0, QByteArray() + status + char(voice.program) });
    int tick = voice.startBeatTimes2 * TicksPerBeat / 2;
    const QStringList tokens = QString::fromLatin1(voice.notes).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &token : tokens) {
        if (token == QLatin1String("|"))
            continue;
        const QStringList parts = token.split(QLatin1Char(':'));
        const double beats = parts.size() > 1 ? parts.at(1).toDouble() : 1.0;
        const int length = int(beats * TicksPerBeat);
        if (parts.at(0) != QLatin1String("r")) {
            const char key = char(noteNumber(parts.at(0)));
            // Notes are released a little early so that repeated notes are heard as two.
            events.push_back(
                { tick, 1, QByteArray() + char(0x90 | voice.channel) + key + char(voice.velocity) });
            events.push_back(
                { tick + length * 9 / 10, 0, QByteArray() + char(0x80 | voice.channel) + key + char(0) });
        }
        tick += length;
    }
}

QByteArray variableLength(quint32 value)
{
    QByteArray bytes(1, char(value & 0x7F));
    while (value >>= 7)
        bytes.prepend(char((value & 0x7F) | 0x80));
    return bytes;
}

QByteArray bigEndian(quint32 value, int size)
{
    QByteArray bytes;
    for (int i = size - 1; i >= 0; --i)
        bytes.append(char((value >> (8 * i)) & 0xFF));
    return bytes;
}

QByteArray midiFile(const Tune &tune)
{
    std::vector<Event> events;
    const quint32 microsPerBeat = 60000000u / quint32(tune.beatsPerMinute);
    events.push_back({ 0, 0, QByteArray("\xFF\x51\x03", 3) + bigEndian(microsPerBeat, 3) });
    for (const Voice &voice : tune.voices)
        addVoice(events, voice);
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    QByteArray track;
    int last = 0;
    for (const Event &event : events) {
        track += variableLength(quint32(event.tick - last)) + event.bytes;
        last = event.tick;
    }
    track += variableLength(TicksPerBeat) + QByteArray("\xFF\x2F\x00", 3);
    return QByteArray("MThd") + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2)
        + bigEndian(TicksPerBeat, 2) + QByteArray("MTrk") + bigEndian(quint32(track.size()), 4) + track;
}

// 茉莉花, Chinese folk song.
const char JasmineMelody[]
    = "e4:1 e4:.5 g4:.5 a4:.5 c5:.5 c5:.5 a4:.5 | g4:1 g4:.5 a4:.5 g4:2 | e4:1 e4:.5 g4:.5 a4:.5 c5:.5 c5:.5 "
      "a4:.5 "
      "| g4:1 g4:.5 a4:.5 g4:2 | g4:1 g4:1 g4:1 e4:.5 g4:.5 | a4:1 a4:1 g4:2 | e4:1 d4:.5 e4:.5 g4:1 e4:.5 "
      "d4:.5 "
      "| c4:1 c4:.5 d4:.5 c4:2 | e4:.5 d4:.5 c4:.5 e4:.5 d4:1.5 e4:.5 | g4:1 a4:.5 c5:.5 g4:2 "
      "| d4:1 e4:.5 g4:.5 d4:.5 e4:.5 c4:.5 a3:.5 | g3:2 a3:1 c4:1 | d4:1.5 e4:.5 c4:.5 d4:.5 c4:.5 a3:.5 | "
      "g3:4";
const char JasmineBass[] = "c3:4 c3:4 c3:4 c3:4 c3:4 f2:2 c3:2 a2:4 c3:4 a2:4 c3:4 g2:4 c3:4 g2:4 g2:4";

// Ode to Joy, Beethoven.
const char OdeMelody[]
    = "e4 e4 f4 g4 | g4 f4 e4 d4 | c4 c4 d4 e4 | e4:1.5 d4:.5 d4:2 | e4 e4 f4 g4 | g4 f4 e4 d4 | c4 c4 d4 e4 "
      "| d4:1.5 c4:.5 c4:2 | d4 d4 e4 c4 | d4 e4:.5 f4:.5 e4 c4 | d4 e4:.5 f4:.5 e4 d4 | c4 d4 g3:2 "
      "| e4 e4 f4 g4 | g4 f4 e4 d4 | c4 c4 d4 e4 | d4:1.5 c4:.5 c4:2";
const char OdeBass[] = "c3:4 g2:4 c3:4 g2:4 c3:4 g2:4 c3:4 g2:2 c3:2 g2:4 c3:4 g2:4 c3:2 g2:2 "
                       "c3:4 g2:4 c3:4 g2:2 c3:2";

// Ah! vous dirai-je, maman (Twinkle, twinkle), French folk song.
const char TwinkleMelody[] = "c4 c4 g4 g4 | a4 a4 g4:2 | f4 f4 e4 e4 | d4 d4 c4:2 | g4 g4 f4 f4 | e4 e4 d4:2 "
                             "| g4 g4 f4 f4 | e4 e4 d4:2 "
                             "| c4 c4 g4 g4 | a4 a4 g4:2 | f4 f4 e4 e4 | d4 d4 c4:2";
const char TwinkleBass[] = "c3:4 f2:2 c3:2 f2:2 c3:2 g2:2 c3:2 c3:2 f2:2 c3:2 g2:2 c3:2 f2:2 c3:2 g2:2 "
                           "c3:4 f2:2 c3:2 f2:2 c3:2 g2:2 c3:2";

// Frère Jacques, French folk round, sung by two voices.
const char JacquesMelody[]
    = "c4 d4 e4 c4 | c4 d4 e4 c4 | e4 f4 g4:2 | e4 f4 g4:2 | g4:.5 a4:.5 g4:.5 f4:.5 e4 c4 "
      "| g4:.5 a4:.5 g4:.5 f4:.5 e4 c4 | c4 g3 c4:2 | c4 g3 c4:2";

// Für Elise, opening theme, Beethoven.
const char EliseMelody[]
    = "e5:.5 d#5:.5 | e5:.5 d#5:.5 e5:.5 b4:.5 d5:.5 c5:.5 | a4:1 r:.5 c4:.5 e4:.5 a4:.5 | b4:1 r:.5 e4:.5 "
      "g#4:.5 b4:.5 "
      "| c5:1 r:.5 e4:.5 e5:.5 d#5:.5 | e5:.5 d#5:.5 e5:.5 b4:.5 d5:.5 c5:.5 | a4:1 r:.5 c4:.5 e4:.5 a4:.5 "
      "| b4:1 r:.5 e4:.5 c5:.5 b4:.5 | a4:3";
const char EliseBass[] = "r:4 a2:.5 e3:.5 a3:.5 r:1.5 e2:.5 e3:.5 g#3:.5 r:1.5 a2:.5 e3:.5 a3:.5 r:1.5 r:3 "
                         "a2:.5 e3:.5 a3:.5 r:1.5 e2:.5 e3:.5 g#3:.5 r:1.5 a2:3";

// Minuet in G, from the notebook for Anna Magdalena Bach.
const char MinuetMelody[]
    = "d5 g4:.5 a4:.5 b4:.5 c5:.5 | d5 g4 g4 | e5 c5:.5 d5:.5 e5:.5 f#5:.5 | g5 g4 g4 "
      "| c5 d5:.5 c5:.5 b4:.5 a4:.5 | b4 c5:.5 b4:.5 a4:.5 g4:.5 | f#4 g4:.5 a4:.5 b4:.5 g4:.5 | a4:3 "
      "| d5 g4:.5 a4:.5 b4:.5 c5:.5 | d5 g4 g4 | e5 c5:.5 d5:.5 e5:.5 f#5:.5 | g5 g4 g4 "
      "| c5 d5:.5 c5:.5 b4:.5 a4:.5 | b4 c5:.5 b4:.5 a4:.5 g4:.5 | a4 b4:.5 a4:.5 g4:.5 f#4:.5 | g4:3";
const char MinuetBass[] = "g3:2 a3:1 b3:3 c4:3 b3:3 a3:3 g3:3 d3:3 d3:3 g3:2 a3:1 b3:3 c4:3 b3:3 a3:3 g3:3 "
                          "d3:3 g2:3";

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        QTextStream(stderr) << "usage: vorlane_tunes OUTPUT_DIR\n";
        return 2;
    }
    const std::vector<Tune> tunes = {
        { 76, { { 0, 73, 96, 0, JasmineMelody }, { 1, 48, 58, 0, JasmineBass } } },
        { 108, { { 0, 0, 100, 0, OdeMelody }, { 1, 0, 64, 0, OdeBass } } },
        { 100, { { 0, 10, 100, 0, TwinkleMelody }, { 1, 0, 60, 0, TwinkleBass } } },
        { 112, { { 0, 11, 96, 0, JacquesMelody }, { 1, 71, 80, 16, JacquesMelody } } },
        { 72, { { 0, 0, 96, 0, EliseMelody }, { 1, 0, 64, 0, EliseBass } } },
        { 104, { { 0, 6, 96, 0, MinuetMelody }, { 1, 6, 70, 0, MinuetBass } } },
    };
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.filePath(QStringLiteral("sound")));
    for (size_t i = 0; i < tunes.size(); ++i) {
        const QString path
            = out.filePath(QStringLiteral("sound/乐曲%1.mid").arg(int(i) + 1, 2, 10, QLatin1Char('0')));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(midiFile(tunes[i])) < 0) {
            QTextStream(stderr) << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
