// The server's API as its pages call it. Every request carries the token this
// tab was handed at launch (launch.js keeps it in session storage, per tab
// and per origin) in the X-Ccview-Token header: no cookie, nothing another
// port could be sent, and a header that a page of another origin cannot send
// without a CORS preflight, which the server refuses.
//
// On a shelf's server a config's run page is /config/ID; its requests of the
// run's routes name the config (config=ID) without the page saying so.
//
// Loaded as a classic script in the served pages (it defines ccApi).
(function (root) {
  'use strict';
  const HEADER = 'X-Ccview-Token';

  function token() {
    try {
      return window.sessionStorage.getItem('ccview-token') || '';
    } catch (e) {
      return '';
    }
  }

  // What a page says when it has no token: it was not opened through the
  // launch file (typed, bookmarked, or opened in a new tab by hand).
  const NO_TOKEN = 'This tab was not opened by ccview, so it cannot ask ccview anything. ' +
    'Start ccview again (from the menu, or by running ccview), and use the tab it opens.';
  const UNREACHABLE = 'ccview cannot be reached: it has ended, or the connection was lost. ' +
    'Start it again and use the tab it opens.';

  const configId = (/^\/config\/([0-9a-f]{16})$/.exec(root.location ? root.location.pathname : '') || [])[1] || '';
  const forConfig = (path) => (!configId || /^\/api\/(values|shelf|quit)/.test(path) ? path
    : path + (path.includes('?') ? '&' : '?') + 'config=' + configId);

  // fetch() with the token; init as fetch takes it.
  function call(path, init) {
    const headers = Object.assign({}, (init && init.headers) || {});
    headers[HEADER] = token();
    return fetch(forConfig(path), Object.assign({}, init || {}, { headers, credentials: 'omit' }));
  }

  // The answer's JSON as {ok, body, error}: error why it was refused or could
  // not be sent.
  async function answerOf(request) {
    let response;
    try {
      response = await request;
    } catch (e) {
      return { ok: false, body: {}, error: UNREACHABLE };
    }
    const text = await response.text().catch(() => '');
    let body = {};
    try {
      body = JSON.parse(text) || {};
    } catch (e) {
      // a refusal in plain text
    }
    const error = response.ok ? '' : response.status === 403 && !token() ? NO_TOKEN
      : body.error || text.trim() || 'The server refused (' + response.status + ').';
    return { ok: response.ok, body, error };
  }

  const get = (path) => answerOf(call(path));
  // keepalive: the request outlives the page (one sent as it goes).
  const post = (path, body, keepalive) => answerOf(call(path, {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body || {}),
    keepalive: Boolean(keepalive),
  }));

  root.ccApi = { HEADER, NO_TOKEN, UNREACHABLE, token, call, get, post, onShelf: configId !== '' };
})(typeof self !== 'undefined' ? self : this);
