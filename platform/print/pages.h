#pragma once
// Where each band lands: the report's pages, each a list of bands placed on
// the paper (twips from the paper's top-left corner).
#include "platform/print/layout.h"

namespace print {

struct PlacedBand {
    const Band* band = nullptr;
    double left = 0, top = 0;
    int row = -1;                 // the data row of a detail band, -1 for the others
};

using Page = std::vector<PlacedBand>;

// Lays out `rowCount` detail bands with the headers and footers. There is
// always at least one page; a detail band taller than a page's printable area
// gets a page (or column) of its own and is cut at its foot.
std::vector<Page> paginate(const Layout& layout, int rowCount);

} // namespace print
