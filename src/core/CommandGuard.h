#pragma once

#include <functional>
#include <utility>

#ifndef Q_MOC_RUN // moc cannot parse constraints
#include <concepts>
#endif

/// Runs one user command: a KorError (or any other exception) is shown in an error box
/// through the prompter, a KorAbort ends the command silently. Returns true when the
/// command ran to its end.
bool RunGuarded(const std::function<void()>& command);

/// Wraps a handler for connect(): every slot a user can trigger goes through the guard.
///   connect(button, &QToolButton::clicked, this, Guarded([this] { ExitClick(); }));
#ifndef Q_MOC_RUN
template <class Handler> auto Guarded(Handler handler) {
    // The constraint lets Qt find how many of a signal's arguments the handler takes.
    return [handler = std::move(handler)](
        auto&&... args) requires std::invocable<const Handler&, decltype(args)...> {
        RunGuarded([&] { handler(std::forward<decltype(args)>(args)...); });
    };
}
#endif
