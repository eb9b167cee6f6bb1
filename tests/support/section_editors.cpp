#include "support/section_editors.h"

namespace edid::test {

namespace {

std::vector<SectionEditor>& registry() {
  static std::vector<SectionEditor> all;
  return all;
}

}  // namespace

const std::vector<SectionEditor>& sectionEditors() {
  return registry();
}

SectionEditors::SectionEditors(std::initializer_list<SectionEditor> editors) {
  for (const SectionEditor& editor : editors) registry().push_back(editor);
}

}  // namespace edid::test
