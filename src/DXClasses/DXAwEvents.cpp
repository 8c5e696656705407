#include "DXClasses/DXAwEvents.h"

#include "DXClasses/DXScriptFunctions.h"

Ref<IDXAwEvent> TDXAwEvent::AddArgument(std::string_view name, std::uint8_t kindIndex) {
  AppendArgumentText(argText_, name, kindIndex);
  return Ref<IDXAwEvent>::Retain(this);
}

Ref<IDXAwEvent> TDXAwEvents::AddEvent(std::string_view name, std::string_view comment) {
  events_.push_back(MakeRef<TDXAwEvent>(name, comment));
  return events_.back();
}

std::string TDXAwEvents::Text() const {
  std::string text;
  for (const Ref<TDXAwEvent>& event : events_) {
    text += event->Name();
    text += event->ArgText();
    if (!event->Comment().empty()) {
      text += " -- ";
      text += event->Comment();
    }
    text += '\n';
  }
  return text;
}
