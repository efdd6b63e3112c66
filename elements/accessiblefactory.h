// SPDX-License-Identifier: MIT
#pragma once

// Screen readers learn about the elements through interfaces made here:
// the list with its entries, texts, the link and the emblem.
namespace accessiblefactory {

// Registers the factory once; every element that needs it calls this.
void install();

} // namespace accessiblefactory
