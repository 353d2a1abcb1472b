#include "board/restored_answers.h"

void restoreAnswers(RestoredAnswers& answers, char (&text)[QuizTextSize])
{
    copyText(text, answers.next < answers.texts.size() ? answers.texts[answers.next].c_str() : "");
    ++answers.next;
}

void closeRestoredAnswers(RestoredAnswers& answers)
{
    answers = {};
}
