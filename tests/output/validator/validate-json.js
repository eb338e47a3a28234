// Validates JSON documents against a JSON schema (draft-07) with Ajv and its
// format checks. Usage: node validate-json.js SCHEMA FILE...
// Prints each file's errors; exit status 1 when any file is invalid.
'use strict';
const fs = require('fs');
const path = require('path');
const Ajv = require(path.join(__dirname, 'node_modules', 'ajv'));
const addFormats = require(path.join(__dirname, 'node_modules', 'ajv-formats'));

const [schemaFile, ...files] = process.argv.slice(2);
const ajv = new Ajv({ allErrors: true, strict: false });
addFormats(ajv);
const validate = ajv.compile(JSON.parse(fs.readFileSync(schemaFile, 'utf8')));
let failed = false;
for (const file of files) {
  if (validate(JSON.parse(fs.readFileSync(file, 'utf8')))) {
    console.log(`${file}: valid`);
  } else {
    failed = true;
    console.log(`${file}: ${ajv.errorsText(validate.errors, { separator: '\n  ' })}`);
  }
}
process.exit(failed ? 1 : 0);
