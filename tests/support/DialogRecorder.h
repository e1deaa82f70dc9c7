#pragma once

#include "core/U_Dialogs.h"

#include <QList>
#include <QStringList>

#include <deque>

// Records every announcement and question; questions take their answers from a queue
// the test fills ("the next question answers 1"). An unprepared question answers 2.
class TDialogRecorder : public TDialogs
{
public:
    void PlainMessage(const QString& text) override { plainMessages.append(text); }
    void Message(const TMessageRequest& request) override { messages.append(request); }
    int Question(const TQuestionRequest& request) override
    {
        questions.append(request);
        if (answers.empty())
            return 2;
        const int answer = answers.front();
        answers.pop_front();
        if (answer == 1 && request.onOk && runOnOk)
            request.onOk();
        return answer;
    }

    void AnswerNext(int answer) { answers.push_back(answer); }

    QStringList plainMessages;
    QList<TMessageRequest> messages;
    QList<TQuestionRequest> questions;
    std::deque<int> answers;
    bool runOnOk = false;
};
