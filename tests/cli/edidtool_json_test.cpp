// edidtool report --json on every corpus EDID: the output parses as JSON (by
// Python's json module, not ours) and names the manufacturer, model and version
// the reference decoder read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/edidtool.h"
#include "support/corpus.h"
#include "support/temp_dir.h"

namespace edid::cli {
namespace {

constexpr const char* kCheck = R"(
import json, re, sys
folder, corpus = sys.argv[1], sys.argv[2]
ids = [line.strip() for line in open(folder + '/ids')]
for id in ids:
    with open(f'{folder}/{id}.json', encoding='utf-8') as f:
        doc = json.load(f)
    ref = open(f'{corpus}/{id}.txt', encoding='utf-8', errors='replace').read()
    m = re.search(r'\n\s+Manufacturer: (\S{3})\n', ref)
    if m: assert doc['vendor']['manufacturer'] == m[1], id
    m = re.search(r'\n\s+Model: (\d+)\n', ref)
    if m: assert doc['vendor']['product_code'] == int(m[1]), id
    m = re.search(r'EDID Structure Version & Revision: (\d+\.\d+)', ref)
    if m: assert doc['version'] == m[1], id
    for block in doc['extensions']:
        assert {'block', 'tag', 'kind', 'checksum_valid'} <= block.keys(), id
print(len(ids))
)";

TEST(EdidtoolJson, EveryCorpusEdidGivesJsonThatAgreesWithTheReference) {
  test::TempDir dir{"edidtool_json"};
  std::ofstream ids(dir.file("ids"));
  for (const std::string& id : test::corpusIds()) {
    std::ostringstream out, err;
    ASSERT_EQ(run({"report", "--json", test::corpusDir() + "/" + id + ".bin"}, out, err, {}), 0)
        << id << err.str();
    std::ofstream(dir.file(id + ".json")) << out.str();
    ids << id << '\n';
  }
  ids.close();
  std::ofstream(dir.file("check.py")) << kCheck;
  const std::string command = "python3 " + dir.file("check.py") + " " + dir.path.string() + " " +
                              test::corpusDir() + " > " + dir.file("count");
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(test::readFile(dir.file("count")), std::to_string(test::corpusIds().size()) + "\n");
}

}  // namespace
}  // namespace edid::cli
