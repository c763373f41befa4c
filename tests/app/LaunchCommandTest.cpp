// Names that only older settings files hold, on the command line and as a shortcut's file name.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "app/LaunchCommand.h"
#include "framework/CodePage.h"
#include "pets/PetNames.h"

namespace torvin {
namespace {

TEST(LaunchCommand, AnOldNameComesBackWholeFromTheCommandLineAndGetsAUsableFileName) {
    const std::string names[] = {"say \"hi\\\" \\", "a:b\\", "CON.txt",
                                 "tail. ",          "..",    std::string(97, 'y') + "\x83\x6e"};
    for (const std::string& name : names) {
        const std::wstring line = L"Torvin.exe /launch " + QuoteArgument(WidenCp932(name));
        int count = 0;
        std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(line.c_str(), &count),
                                                           &LocalFree);
        EXPECT_EQ(ParseLaunchCommand({argv.get() + 1, argv.get() + count}).petName, WidenCp932(name)) << line;
        EXPECT_EQ(CheckFolderName(ShortcutFileStem(name)), PetNameProblem::kNone) << name;
    }
}

}  // namespace
}  // namespace torvin
