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
    base = ref.split('\n----------------')[0]
    m = re.search(r'Monitor ranges \((.*?)\): (\d+)-(\d+) ?Hz V, (\d+)-(\d+) ?kHz H', base)
    limits = doc.get('range_limits')
    assert (m is None) == (limits is None), id
    if m:
        rates = [limits[k] for k in ('v_min_hz', 'v_max_hz', 'h_min_khz', 'h_max_khz')]
        assert rates == [int(m[i]) for i in range(2, 6)], (id, rates)
    # One reference text is in an older decoder's wording; the rest are checked.
    if 'EDID Structure Version' not in ref:
        continue
    if tuple(map(int, doc['version'].split('.'))) < (1, 4):  # 1.5 reads as 1.4
        assert 'features' not in doc and 'bits_per_color' not in doc['input'], id
        continue
    if m:
        kind = {'Bare Limits': 'range_limits_only', 'GTF': 'default_gtf', 'CVT': 'cvt',
                'Secondary GTF': 'secondary_gtf'}.get(m[1], 'reserved')
        assert limits['timing_support'] == kind, (id, limits)
    m = re.search(r'Bits per primary color channel: (\d+)\n', base)
    assert doc['input'].get('bits_per_color') == (int(m[1]) if m else None), id
    m = re.search(r'\n\s+(DVI|HDMI-a|HDMI-b|MDDI|DisplayPort) interface\n', base)
    assert doc['input'].get('interface') == (m[1] if m else None), id
    assert doc['features'] == {
        'continuous_frequency': 'Display is continuous frequency' in base,
        'preferred_timing_is_native': 'First detailed timing includes the native' in base}, id
    m = re.search(r'Established timings III:\n((?:\s+DMT .*\n)*)', base)
    assert len(doc.get('established_timings_iii', [])) == (m[1].count('DMT') if m else 0), id
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
