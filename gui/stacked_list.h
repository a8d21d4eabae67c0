#pragma once

#include <memory>
#include <vector>

#include "gui/text_buffer.h"

// The lists of forms and of controls share one shape: a singly linked list
// of named entries, newest first, each with a stacking number zOrder that is
// 1 for the head (topmost) and n for the tail. An Entry has the fields
// name (char buffer), zOrder and next (std::unique_ptr<Entry>).
namespace vek::stacked_list {

// Puts entry on top: every older entry moves one place down, the new one
// gets zOrder 1 and a copy of name, cut to its buffer.
template <class Entry>
void pushOnTop(std::unique_ptr<Entry>& head, std::unique_ptr<Entry> entry, const char* name) {
  for (Entry* older = head.get(); older != nullptr; older = older->next.get()) ++older->zOrder;
  copyCut(entry->name, name);
  entry->zOrder = 1;
  entry->next = std::move(head);
  head = std::move(entry);
}

// The entries from the oldest (bottom) to the newest (top): drawing order.
template <class Entry>
std::vector<Entry*> oldestFirst(Entry* head) {
  std::vector<Entry*> entries;
  for (Entry* entry = head; entry != nullptr; entry = entry->next.get()) entries.push_back(entry);
  return std::vector<Entry*>(entries.rbegin(), entries.rend());
}

// Frees the list one entry at a time, so a long list cannot exhaust the
// stack through nested destructors.
template <class Entry>
void freeAll(std::unique_ptr<Entry>& head) {
  while (head) head = std::move(head->next);
}

}  // namespace vek::stacked_list
