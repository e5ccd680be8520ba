// Where the show's data/ folder is: in the current directory, else beside
// the program (an unpacked archive), else where an install put it relative
// to the program.
#pragma once

// Changes to the folder that holds data/ when the current one does not.
// False when no data/ folder was found (the show still runs, reporting each
// missing file).
bool enterDataDirectory();
