// The compiled-in pictures (":/zk/<name>.png") live in the static library
// zk_resources, rendered by the asset tool at build time. A static library's resources are
// registered only when the program asks for them: call zk::InitResources() once before the first
// picture is used. Further calls do nothing.
#pragma once

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
inline void ZkInitResourcesOnce() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(zk_resources);
        return true;
    }();
    (void)registered;
}

namespace zk {
inline void InitResources() {
    ::ZkInitResourcesOnce();
}
} // namespace zk
