// The launch answer: keeps the token for this tab only (session storage is
// kept per tab and per origin, and an origin holds its port), then replaces
// itself by the server's page, so that history keeps neither the token nor
// a form to post again.
(function () {
  'use strict';
  const token = JSON.parse(document.getElementById('token-data').textContent);
  try {
    window.sessionStorage.setItem('ccview-token', token);
  } catch (e) {
    document.getElementById('said').textContent =
      'This browser keeps nothing for this tab (its storage is turned off), so ccview cannot be used from it.';
    return;
  }
  location.replace('/');
})();
