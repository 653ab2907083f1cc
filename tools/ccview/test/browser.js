// The tests' helpers are the page tools' own (../pages.js).
'use strict';
module.exports = require('../pages.js');
