// --help, --version and refusal of unknown arguments, as GNU programs do.
#include "commandline.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ui
{

namespace
{

const char usage[] = "Usage: quarvel [QT-OPTION]...\n"
                     "Slide the eight numbered tiles back into order, 1 to 8.\n"
                     "\n"
                     "      --help     display this help and exit\n"
                     "      --version  output version information and exit\n"
                     "\n"
                     "Qt's standard options work as well, such as -platform xcb or\n"
                     "-platform wayland to choose the window system.\n";

const char version[] = "quarvel " QUARVEL_VERSION "\n"
                       "Copyright (C) 2026 The Quarvel developers\n"
                       "License MIT <https://opensource.org/license/mit>.\n"
                       "This is free software: you are free to change and redistribute it.\n"
                       "There is NO WARRANTY, to the extent permitted by law.\n";

} // namespace

void answerHelpAndVersion(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const char *answer = std::strcmp(argv[i], "--help") == 0      ? usage
                             : std::strcmp(argv[i], "--version") == 0 ? version
                                                                      : nullptr;
        if (answer) {
            std::fputs(answer, stdout);
            std::exit(std::fflush(stdout) == 0 ? 0 : 1);
        }
    }
}

void refuseArgument(const char *argument)
{
    std::fprintf(stderr, "quarvel: unrecognized argument '%s'; try 'quarvel --help'\n", argument);
    std::exit(2);
}

} // namespace ui
