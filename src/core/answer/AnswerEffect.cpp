#include "core/answer/AnswerEffect.h"

#include "core/answer/AnswerEncoding.h"

namespace vorlane {

AnswerEffect answerEffect(const AnswerRow &stored, const QString &answer, const QDate &today)
{
    AnswerEffect effect;
    effect.row = stored;
    if (answer.isEmpty()) {
        effect.kind = AnswerEffect::Kind::Emptied;
        effect.row.windowAnswer.clear();
        return effect;
    }
    effect.right = isRightAnswer(answer, stored.key);
    effect.row.windowAnswer = answer;
    effect.row.lastAnswer = answer;
    if (answer == stored.windowAnswer) {
        effect.kind = AnswerEffect::Kind::Repeated;
        return effect;
    }

    effect.kind = AnswerEffect::Kind::Counted;
    const QString day = today.toString(Qt::ISODate);
    const bool wrongNow = !effect.right;
    const bool answeredBefore = !stored.lastAnswer.isEmpty(); // "zero" of a voided question counts
    effect.flags.firstToday = flagOf(stored.lastDate.left(10) != day);
    effect.flags.wrongNow = flagOf(wrongNow);
    effect.flags.wrongBefore = flagOf(!answeredBefore || stored.lastAnswer != stored.key);
    effect.flags.firstEver = flagOf(!answeredBefore);
    // Off the wrong list a question stays at 0; a wrong first answer puts it three right
    // answers deep, every later wrong one a step deeper.
    if (!answeredBefore)
        effect.row.wrongScore = wrongNow ? -3 : 0;
    else if (wrongNow)
        effect.row.wrongScore = stored.wrongScore - 1;
    else if (stored.wrongScore < 0)
        effect.row.wrongScore = stored.wrongScore + 1;
    effect.row.attempts = stored.attempts + 1;
    effect.row.lastDate = day;
    return effect;
}

} // namespace vorlane
