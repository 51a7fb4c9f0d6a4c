// The curve database file beside the program, and the title list and title field of the main
// dialog's title combo box. Every operation reads the file anew; none reports a failure: an
// operation that cannot open, read or write the file ends quietly and changes nothing.
#pragma once

#include "core/app_state.h"

#include <string>
#include <vector>

#ifdef _WIN32
// The current local date and time, in the user's short formats and without seconds, each
// followed by one blank.
std::string date_title();

// Puts date_title() into the title field.
void set_date_title(HWND dialog);

// Fills the title list from the file, the newest record first; the title field keeps its text. A
// file that cannot be read leaves the list as it is.
void load_title_list(HWND dialog);

// Appends set to the database file at path as a record titled by title ("|" appended while
// taken_titles holds it), after the line ends the file lacks to close its last record. Creates the
// file where it is missing, even when nothing is then written. Writes nothing without a title or a
// curve worth saving. True when the record was written whole.
bool append_set_record(const char* path, const std::string& title,
                       const std::vector<std::string>& taken_titles, const CurveSet& set);

// Appends set to the database file as a record titled by title, "|" appended while the dialog's
// title list holds it, and fills the list anew. The title the record was stored under goes to
// *stored. True when the record was written whole.
bool add_record(HWND dialog, const std::string& title, const CurveSet& set, std::string* stored);

// Appends the main set as a record titled by the title field, the titles of the list taken.
// Clears unsaved_changes when the record was written or the set had no curve to save; a save that
// failed keeps it. After a save the title list is read again and the date title put back.
void add_set(HWND dialog);

// After the delete question, removes the record whose whole title line is the title field's
// text. The file is replaced only by a completely written new copy.
void delete_set(HWND dialog);

// Loads the record selected in the title list into the compare set while compare mode is on,
// and keeps its title as compare_title, otherwise into the main set.
void load_set(HWND dialog);
#endif
