// On a shelf's server, a config's run page leads back to the shelf.
(self.ccPageParts = self.ccPageParts || []).push(function () {
  'use strict';
  if (!self.ccApi || !ccApi.onShelf) return;
  const back = Object.assign(document.createElement('a'), { href: '/', textContent: '← Shelf', className: 'back' });
  back.setAttribute('aria-label', 'Back to the shelf');
  document.querySelector('header').prepend(back);
});
