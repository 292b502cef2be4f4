#pragma once
// An in-memory table of declared fields and records with a cursor, loaded from and saved to
// XML data packets ("DATAPACKET"). The installation catalogue and the dictionaries are such
// tables.
//
// Shown records: the records that pass the master link and the switched-on selection, in the
// table's ordering (file order without one). Navigation, reads, RecordCount and Locate work
// on them. When the master's current record changes, the shown set follows and the cursor
// goes to the first shown record. With no shown record there is no current record: reads
// give null (0, empty text).
//
// Loading:
// - The text encoding comes from a byte-order mark, else the declaration's "encoding", else
//   UTF-8. Understood: UTF-8 (checked to be well formed), UTF-16 and UTF-32 with a mark,
//   ISO-8859-1 ("latin1") and the Windows code pages "windows-1250" to "windows-1258"; any
//   other declared encoding is refused with an Error.
// - Every declared field must be in "FIELDS" under its name (letter case aside) with an
//   accepted type: "i1", "i2", "i4", "ui1" or "ui2" for integer fields, "string.uni" for text.
//   "WIDTH" and "required" are not checked; other fields of the file are ignored.
// - A row's attributes may come in any order; a missing attribute is a null. An integer value
//   that is not a decimal 32-bit integer is an Error naming the value, the field and the file.
// - Text longer than its field's size is cut to the size (the packet may declare a larger
//   "WIDTH"); the rest is not kept.
// - "PARAMS" is not read.
// - Rows carrying "RowState" are a change log saved with the data. The loaded table shows
//   the changed data and reports HasPendingChanges(): a row flagged deleted (2) is dropped; a
//   row flagged modified (8) that follows a row flagged original (1) overlays that record
//   with the fields it carries; inserted (4) and other rows are records as they stand.
// - A failed load throws and leaves the table as it was.
//
// Saving writes `<?xml version="1.0" encoding="UTF-8" standalone="yes"?>`, then every record in
// table order (whatever is shown), null fields omitted, and an empty "<PARAMS/>".
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "datapacket/DataPacketFields.h"
#include "datapacket/DataPacketIndex.h"
#include "datapacket/DataPacketRecords.h"
#include "datapacket/DataPacketSelection.h"

namespace orvelin {

using FieldValue = std::variant<std::monostate, int, std::wstring>;   // monostate = null

class DataPacketTable {
public:
    explicit DataPacketTable(std::vector<FieldDef> fields);
    ~DataPacketTable();   // detaches from master and details
    DataPacketTable(const DataPacketTable&) = delete;
    DataPacketTable& operator=(const DataPacketTable&) = delete;

    const std::vector<FieldDef>& Fields() const { return fields_; }

    // Replaces all content; the cursor goes to the first shown record.
    void Load(const std::wstring& fileName);
    // Merges pending changes first.
    void Save(const std::wstring& fileName);
    bool HasPendingChanges() const { return pendingChanges_; }
    // The records already show the changes; merging makes them the table's plain data.
    void MergeChangesLog() { pendingChanges_ = false; }
    // One record, values in field order; text longer than its field is cut to the size.
    void Append(std::vector<FieldValue> values);
    void Clear();

    void First();
    void Next();
    bool Eof() const;
    int RecordCount() const;

    int FieldIndex(std::wstring_view name) const;   // throws "Field '%s' not found"
    // Reads of the current record. A null reads as 0 or as empty text; a text field reads as
    // an integer when it holds one, an integer field as its decimal text.
    int AsInteger(std::wstring_view field) const;
    std::wstring AsText(std::wstring_view field) const;
    bool IsNull(std::wstring_view field) const;
    int AsInteger(int fieldIndex) const;
    std::wstring_view AsTextView(int fieldIndex) const;   // text fields only
    bool IsNull(int fieldIndex) const;

    // Stable ascending sort of the shown records (nulls first; text by code unit);
    // empty = file order.
    void SetOrdering(std::wstring_view field);
    // Both fields must be integer fields. A null on either side matches nothing.
    void SetMasterLink(DataPacketTable& master, std::wstring_view masterField, std::wstring_view linkField);

    // Selection "<field> = <int> and <field> = <int>" over integer fields; a null matches
    // nothing. SetSelection throws for any other text; blank text selects everything.
    void ClearSelection();   // clears the text and switches it off
    void SetSelection(std::wstring text);
    void EnableSelection(bool on);
    const std::wstring& SelectionText() const { return selectionText_; }
    bool SelectionEnabled() const { return selectionEnabled_; }

    // Moves to the first shown record whose value, read as text, equals the text as a whole,
    // letter case aside (a null reads as empty text); the cursor stays where it was when there
    // is none.
    bool Locate(std::wstring_view field, std::wstring_view text);

private:
    // Derived from content, settings and the master's position; rebuilt on first use after
    // any of them changed, which is also when the cursor goes back to the first record.
    struct View {
        bool valid = false;
        std::span<const int> shown;
        std::vector<int> filtered;   // backs `shown` when link and selection both apply
        int cursor = 0;
        bool eof = true;
    };
    // Lookup structures over the records, built on demand, dropped on any content change.
    struct Indexes {
        bool ordered = false;
        std::vector<int> order;   // record positions in the table's ordering
        bool linkBuilt = false;
        KeyIndex link;
        std::optional<std::pair<int, int>> selectionFields;   // the fields `selection` is keyed by
        KeyIndex selection;
    };

    int CheckedField(int fieldIndex) const;
    const View& CurrentView() const;
    void BuildView() const;
    std::span<const int> Order() const;
    std::span<const int> LinkedRecords(int key) const;
    std::span<const int> SelectedRecords(const SelectionCondition& condition) const;
    bool PassesSelection(int record) const;
    // The current record's position in the records, or -1 when nothing is shown.
    int CurrentRecord() const;
    std::optional<int> CurrentKey(int field) const;   // nothing when no record or null
    std::wstring TextOf(int field, int record) const;

    // This table's shown set or cursor changed: every detail must follow.
    void ViewChanged();
    void ContentChanged();
    void CursorMoved();
    void Detach();

    std::vector<FieldDef> fields_;
    DataPacketRecords records_;
    bool pendingChanges_ = false;

    int orderField_ = -1;
    DataPacketTable* master_ = nullptr;
    int masterField_ = -1;
    int linkField_ = -1;
    std::vector<DataPacketTable*> details_;
    std::wstring selectionText_;
    std::optional<SelectionCondition> selection_;
    bool selectionEnabled_ = false;

    mutable Indexes indexes_;
    mutable View view_;
};

}  // namespace orvelin
