// Captures what the program writes to standard error, at the file
// descriptor, so that stdio and iostreams are caught alike: the runtime
// reports errors with stdio.
#pragma once

#include <cstdio>
#include <string>
#include <unistd.h>

class StderrCapture
{
public:
    StderrCapture() : file_(std::tmpfile())
    {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        dup2(fileno(file_), STDERR_FILENO);
    }
    ~StderrCapture()
    {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        std::fclose(file_);
    }
    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;

    // Everything written since the capture began.
    std::string text()
    {
        std::fflush(stderr);
        std::string all;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;)
            all += char(c);
        return all;
    }

private:
    std::FILE *file_;
    int saved_ = -1;
};
