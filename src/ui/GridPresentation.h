#pragma once

/// One option set of the main grid: what it shows and whether cells can be edited.
/// Commands copy the browse or the edit set onto the grid.
struct GridPresentation final {
    bool titles = true;
    bool columnResizing = true;
    bool columnLines = true;
    bool rowLines = true;
    bool rowSelect = false;           ///< whole-row selection
    bool alwaysShowSelection = false; ///< the selection stays visible without the focus
    bool editing = false;
    bool alwaysShowEditor = false;

    bool operator==(const GridPresentation &) const = default;

    /// Browsing: titles, resizing, lines, whole-row selection always shown, no editing.
    static constexpr GridPresentation browse()
    {
        GridPresentation options;
        options.rowSelect = true;
        options.alwaysShowSelection = true;
        return options;
    }
    /// Direct modification: editing with the cell editor always shown, titles, resizing, lines.
    static constexpr GridPresentation edit()
    {
        GridPresentation options;
        options.editing = true;
        options.alwaysShowEditor = true;
        return options;
    }
    /// The grid's options until a command first copies one of the two sets.
    static constexpr GridPresentation initial()
    {
        GridPresentation options;
        options.alwaysShowEditor = true;
        options.alwaysShowSelection = true;
        return options;
    }
};
