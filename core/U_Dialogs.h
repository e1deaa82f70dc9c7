#pragma once

#include "core/U_Glb.h"

#include <QString>

#include <functional>
#include <memory>

// What a transient message asks for; 0 or less keeps the window's design value.
struct TMessageRequest
{
    QString text;
    TColor textColour = 0;
    TColor backColour = 0;
    int durationMs = 0;
    int fontSize = 0;
    int width = 0;
    int height = 0;
};

// What a question asks for; the answer is 1 (OK) or 2 (cancel).
struct TQuestionRequest
{
    QString text;
    TColor textColour = 0;
    TColor backColour = 0;
    int reserved = 0;
    int fontSize = 0;
    int width = 0;
    int height = 0;
    QString okCaption;
    QString cancelCaption;
    std::function<void()> onOk;
};

// The way announcements and questions reach the user: the program's own windows in the
// program, a recorder with prepared answers in tests.
class TDialogs
{
public:
    virtual ~TDialogs() = default;
    virtual void PlainMessage(const QString& text) = 0;
    virtual void Message(const TMessageRequest& request) = 0;
    virtual int Question(const TQuestionRequest& request) = 0;
};

TDialogs& Dialogs();
// The fallback when nobody can answer: it only writes to stderr and answers every question
// with 2, so that nothing is ever confirmed unseen.
TDialogs& UnattendedDialogs();
// Installs `dialogs`; null brings back the fallback.
void SetDialogs(std::shared_ptr<TDialogs> dialogs);

void ShowPlainMessage(const QString& text);
void ShowMessageWindow(const QString& text, TColor textColour, TColor backColour, int durationMs,
                       int fontSize, int width, int height);
int AskQuestion(const QString& text, TColor textColour, TColor backColour, int reserved,
                int fontSize, int width, int height, const QString& okCaption,
                const QString& cancelCaption, std::function<void()> onOk = {});
