// Prints every table name and the rows of one table of a Jet file as JSON, read by the npm
// package mdb-reader:  node dump-with-mdb-reader.mjs NODE_MODULES_PARENT FILE TABLE
import { createRequire } from "module";
import { readFileSync } from "fs";
import { join } from "path";
import { pathToFileURL } from "url";

const [modulesParent, file, table] = process.argv.slice(2);
const require = createRequire(join(modulesParent, "resolve.js"));
const { default: MDBReader } = await import(pathToFileURL(require.resolve("mdb-reader")).href);

const reader = new MDBReader(readFileSync(file));
const rows = reader.getTable(table).getData();
process.stdout.write(JSON.stringify({ tables: reader.getTableNames(), rows }));
