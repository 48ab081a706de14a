#include "core/Prompter.h"

#include "core/QtPrompter.h"

namespace {
Prompter* g_prompter = nullptr;
}

Prompter& prompter() {
    if (g_prompter) return *g_prompter;
    static QtPrompter real;
    return real;
}

void setPrompter(Prompter* prompter) {
    g_prompter = prompter;
}
