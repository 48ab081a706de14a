#include "core/CommandGuard.h"

#include "core/KorError.h"
#include "core/Prompter.h"

bool RunGuarded(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const KorAbort&) {
    } catch (const KorError& error) {
        prompter().message(MsgKind::Error, error.text(), MsgButton::Ok);
    } catch (const std::exception& error) {
        prompter().message(MsgKind::Error, QString::fromUtf8(error.what()), MsgButton::Ok);
    }
    return false;
}
