#pragma once

#include "JetFile.h"
#include "JetReader.h"

#include <mdbtools.h>

#include <array>
#include <memory>

namespace kemuyi::jet {

struct MdbTableFreer
{
    void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
};

// One column of TK as the program names it, and where the file keeps it.
struct MappedColumn
{
    int index = -1; // in the table's column list
    MdbColumn *column = nullptr;
};

// Table TK with its columns found by name, whatever their order in the file.
struct QuestionTable
{
    std::unique_ptr<MdbTableDef, MdbTableFreer> table;
    MappedColumn id;
    std::array<MappedColumn, TextColumnCount> texts;
};

// Finds TK in the catalogue and maps its columns. Its definition is checked before libmdb reads
// it; a missing table or column, or a column that holds neither text nor an integer, is a Failure.
QuestionTable openQuestionTable(const JetFile &file);

} // namespace kemuyi::jet
