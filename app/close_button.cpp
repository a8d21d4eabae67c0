#include "app/close_button.h"

#include <allegro.h>

#include <atomic>

namespace vek {
namespace {

// Allegro's close-button callback takes no argument, so the request can
// only live here; it is written from Allegro's thread and read by the loop.
std::atomic<bool> closeRequest{false};

void onCloseButton() { requestClose(); }

}  // namespace

bool installCloseButtonHandler() { return set_close_button_callback(onCloseButton) == 0; }

void removeCloseButtonHandler() { set_close_button_callback(nullptr); }

void requestClose() { closeRequest.store(true); }

bool closeRequested() { return closeRequest.load(); }

void clearCloseRequest() { closeRequest.store(false); }

}  // namespace vek
