#ifndef GLIMMERDROP_FRAMEWORK_APPLICATION_HCOMMANDLINE_H
#define GLIMMERDROP_FRAMEWORK_APPLICATION_HCOMMANDLINE_H

#include <cstdio>

// What the process entry does with its arguments before the game starts. The switches themselves
// are found later by substring in the joined line; this answers "--help" and "--version" and
// refuses what no switch stands for, so a mistyped switch is reported rather than ignored.
class HCommandLine
{
public:
    // Continue with the game.
    static constexpr int kRun = -1;

    // kRun, or the exit code to end the process with (0 after --help or --version, 2 after
    // an unknown argument, reported on the error stream with a hint).
    static int check( int argc, const char* const* kapArgv, const char* kpVersion, FILE* pOut, FILE* pErr );

    static void printUsage( const char* kpProgram, FILE* pOut );

    // A program with switches of its own names them here before the check (a handful at most);
    // the texts are not copied. The argument's name is null for a switch that takes none.
    static bool addSwitch( const char* kpName, const char* kpArgument, const char* kpHelp );
};

#endif
