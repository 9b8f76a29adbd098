// Windows ends a session with WM_QUERYENDSESSION and WM_ENDSESSION to every top-level window;
// the process is ended as soon as WM_ENDSESSION has been handled.
#include "app/EndOfSession.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QObject>
#include <windows.h>

namespace {
class EndSessionFilter : public QObject, public QAbstractNativeEventFilter {
public:
    EndSessionFilter(QObject *owner, std::function<void(bool)> handler)
        : QObject(owner)
        , handler_(std::move(handler))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~EndSessionFilter() override
    {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        if ((msg->message == WM_QUERYENDSESSION) || (msg->message == WM_ENDSESSION && msg->wParam))
            handler_(false);
        return false;
    }

private:
    std::function<void(bool)> handler_;
};
} // namespace

void WatchEndOfSession(QObject *owner, std::function<void(bool)> handler)
{
    new EndSessionFilter(owner, std::move(handler));
}
