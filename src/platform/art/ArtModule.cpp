// The art module's entry point: the program loads this module at a ratio
// other than 1 and draws through the functions it hands out.
#include <QtGlobal>

#include "platform/art/DrawnArtModule.h"

extern "C" Q_DECL_EXPORT const zk::platform::drawn::Functions* zk_drawn_art() {
    static const zk::platform::drawn::Functions functions{zk::platform::drawn::Sheet,
                                                          zk::platform::drawn::Picture,
                                                          zk::platform::drawn::PrepareSheets};
    return &functions;
}

// The entry point has the type the program expects of it.
static_assert(std::is_same_v<decltype(&zk_drawn_art), zk::platform::drawn::EntryFunction>);
