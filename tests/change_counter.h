#pragma once

// Counts the change notifications of one or more elements: anything with a
// single `OnChange` handler (graph elements, the projection). The counter
// takes the place of the elements' handlers, so it must outlive their changes.
class TChangeCounter {
 public:
  template <class... Elements>
  explicit TChangeCounter(Elements&... elements) {
    static_assert(sizeof...(Elements) > 0, "a counter counts the changes of some element");
    (Attach(elements), ...);
  }

  int count = 0;

 private:
  template <class Element>
  void Attach(Element& element) {
    element.OnChange = [this](auto*) { ++count; };
  }
};
