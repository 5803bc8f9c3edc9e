#pragma once
// The icons and desktop files are compiled into the shell library; a static library's
// resources register only when something refers to them, so every user calls this.
#include <QtGlobal>

inline void InitShellResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(molvex2);
        return true;
    }();
    (void)done;
}
