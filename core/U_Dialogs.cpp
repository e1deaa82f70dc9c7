#include "core/U_Dialogs.h"

#include <cstdio>

namespace {
class TStderrDialogs : public TDialogs
{
public:
    void PlainMessage(const QString& text) override
    {
        std::fprintf(stderr, "Tarvelle: %s\n", qPrintable(text));
    }
    void Message(const TMessageRequest& request) override { PlainMessage(request.text); }
    int Question(const TQuestionRequest& request) override
    {
        PlainMessage(request.text);
        return 2;
    }
};

std::shared_ptr<TDialogs>& Current()
{
    static std::shared_ptr<TDialogs> current = std::make_shared<TStderrDialogs>();
    return current;
}
} // namespace

TDialogs& Dialogs()
{
    return *Current();
}

TDialogs& UnattendedDialogs()
{
    static TStderrDialogs unattended;
    return unattended;
}

void SetDialogs(std::shared_ptr<TDialogs> dialogs)
{
    Current() = dialogs ? std::move(dialogs) : std::make_shared<TStderrDialogs>();
}

void ShowPlainMessage(const QString& text)
{
    Dialogs().PlainMessage(text);
}

void ShowMessageWindow(const QString& text, TColor textColour, TColor backColour, int durationMs,
                       int fontSize, int width, int height)
{
    Dialogs().Message({text, textColour, backColour, durationMs, fontSize, width, height});
}

int AskQuestion(const QString& text, TColor textColour, TColor backColour, int reserved,
                int fontSize, int width, int height, const QString& okCaption,
                const QString& cancelCaption, std::function<void()> onOk)
{
    return Dialogs().Question({text, textColour, backColour, reserved, fontSize, width, height,
                               okCaption, cancelCaption, std::move(onOk)});
}
