#pragma once

#include <QString>

namespace torvel {

// Where the program keeps its data and finds the files that Finish copies into a CD root.
struct ProgramFolders {
    enum class Kind {
        Given,      // named on the command line (--program-dir): everything in that folder
        Portable,   // the executable's folder holds Torvel.dat (a portable copy, the build folder)
        Installed,  // an installed program: the user's data folder, seeded from the installed one
    };
    Kind kind = Kind::Given;
    QString data;   // Torvel.dat and the Styles folder
    QString files;  // AUTORUN.INF and Start.exe
};

// The name of the user's data folder below the platform's generic data location.
inline constexpr char kUserDataFolderName[] = "Torvel";

// A program folder named by the user: data and files both there, checked by nobody here.
ProgramFolders givenProgramFolder(const QString& folder);

// Where a program started from programDir keeps its data: programDir itself when it holds a
// Torvel.dat (whatever state that file is in), else, when the installed data folder
// programDir/../share/torvel exists, userDataDir with the files of the installed folder, else
// programDir as it is. Writes nothing.
ProgramFolders locateProgramFolders(const QString& programDir, const QString& userDataDir);

// The user's data folder of an installed program on this system ($XDG_DATA_HOME/Torvel).
QString userDataFolder();

// An installed program's first start: when the data folder has no Torvel.dat yet, copies the
// installed Torvel.dat and its Styles folder there through the safe writer, Torvel.dat last and
// no style file over one the user has. An existing Torvel.dat is never touched. Returns whether
// it copied. Throws WriteError or LinkedFolderError naming what failed.
bool seedUserData(const ProgramFolders& folders);

// "Data folder: PATH", in the platform's own path form.
QString dataFolderText(const ProgramFolders& folders);

// For the command-line programs: the folders in use, those of --program-dir when `given` is not
// empty, else those of the program started from programDir; what --help says of them; and the
// data folder made ready (a given one must exist, an installed program's is seeded on its first
// run). prepareFolders returns the problem as "PROGRAM: ..." text, empty when there is none.
ProgramFolders commandLineFolders(const QString& given, const QString& programDir);
QString foldersHelpText(const ProgramFolders& folders);
QString prepareFolders(const ProgramFolders& folders, const QString& program);

}  // namespace torvel
