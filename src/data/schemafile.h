#pragma once

#include <QString>

namespace torvel {

// Creates a database file from a schema script (statements separated by ";" at line ends).
// Used by the build and by tests; the program itself never creates its database.
// Returns false and leaves the file alone when it already exists. Throws DataError on failure.
bool createDatabaseFromSchema(const QString& schemaFile, const QString& databaseFile);

}  // namespace torvel
