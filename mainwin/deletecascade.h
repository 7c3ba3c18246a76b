#pragma once
// Deleting one record of a list view with the rows that depend on it: a
// customer with its contacts, activities, opportunities and quotation lines,
// sales orders and order lines and service records; an opportunity or a sales
// order with its lines, its share taken back from its customer's balances.
// Everything goes in one transaction, so either the record and all its
// dependent rows are gone or nothing is.
#include "mainwin/views.h"
#include "platform/db/error.h"
#include "platform/db/variant.h"

#include <optional>

namespace mainwin {

enum class DeleteOutcome {
    Deleted,
    Missing,   // no record with that id (deleted elsewhere, or no id at all)
    Failed     // a step failed (the database's error in `failure`); nothing was deleted
};

DeleteOutcome deleteWithCascade(View view, const db::Variant& id, std::optional<db::Error>& failure);

} // namespace mainwin
